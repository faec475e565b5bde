#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <filesystem>
#include <fstream>

#include "HidTestSupport.h"
#include "hid/HidrawDevice.h"
#include "hid/ReportDescriptorParser.h"

namespace n240qx {
namespace {

using test::FromHex;
using test::Hex;

// A node whose answers the test writes beforehand; it records what was sent.
class ScriptedHandle final : public RawHidHandle {
 public:
  struct ScriptedRead {
    std::vector<std::uint8_t> report;  // empty with value 0: the wait ran out
    RawHidResult result;
  };
  std::deque<ScriptedRead> reads;
  std::vector<int> read_timeouts;
  std::vector<std::vector<std::uint8_t>> sent;
  RawHidResult send_result{9, 0};

  RawHidResult SendFeature(std::span<const std::uint8_t> report) override {
    sent.emplace_back(report.begin(), report.end());
    return send_result;
  }
  RawHidResult GetFeature(std::span<std::uint8_t> report) override {
    for (std::size_t i = 1; i < report.size(); ++i) {
      report[i] = static_cast<std::uint8_t>(0x10 + i);
    }
    return {static_cast<int>(report.size()), 0};
  }
  RawHidResult Write(std::span<const std::uint8_t> report) override {
    sent.emplace_back(report.begin(), report.end());
    return send_result;
  }
  RawHidResult Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
    read_timeouts.push_back(timeout_ms);
    if (reads.empty()) {
      return {0, 0};
    }
    ScriptedRead next = reads.front();
    reads.pop_front();
    std::copy(next.report.begin(), next.report.end(), buffer.begin());
    return next.result;
  }
  std::string LastError() override { return "scripted failure"; }
};

ScriptedHandle::ScriptedRead Report(const char* hex) {
  auto bytes = FromHex(hex);
  return {bytes, {static_cast<int>(bytes.size()), 0}};
}

const char* kEventDescriptor =
    "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 C0 "
    "06 00 FF 09 01 A1 01 85 04 15 00 26 FF 00 75 08 95 03 81 02 C0";
const char* kCommandDescriptor =
    "06 01 FF 09 01 A1 01 15 00 26 FF 00 75 08 09 02 95 40 81 02 09 03 95 40 91 02 09 04 95 08 "
    "B1 02 C0";

class HidrawDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    node_ = std::filesystem::temp_directory_path() /
            ("n240qx-hidraw-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::ofstream(node_).put('x');
  }
  void TearDown() override { std::filesystem::remove(node_); }

  HidrawDevice Open(const char* descriptor, std::size_t collection) {
    auto collections = ParseReportDescriptor(FromHex(descriptor));
    auto handle = std::make_unique<ScriptedHandle>();
    handle_ = handle.get();
    return HidrawDevice(std::move(handle), node_.string(),
                        *ReportFraming::ForCollection(*collections, collection));
  }

  std::filesystem::path node_;
  ScriptedHandle* handle_ = nullptr;
};

TEST_F(HidrawDeviceTest, ReadSkipsTheOtherCollectionsReports) {
  HidrawDevice device = Open(kEventDescriptor, 1);
  handle_->reads = {Report("01 02 00 04 00 00 00 00 00"), Report("01 00 00 00 00 00 00 00 00"),
                    Report("04 02 15 01")};
  std::array<std::uint8_t, 4> report{};
  auto got = device.ReadReport(report, 200);
  ASSERT_TRUE(got.ok()) << got.error().message;
  EXPECT_EQ(*got, 4u);
  EXPECT_EQ(Hex(report), "04 02 15 01");
  ASSERT_EQ(handle_->read_timeouts.size(), 3u);
  for (int timeout : handle_->read_timeouts) {
    EXPECT_GE(timeout, 0);
    EXPECT_LE(timeout, 200);  // the wait never grows past the caller's time-out
  }
}

TEST_F(HidrawDeviceTest, ReadOfOnlyForeignReportsEndsEmpty) {
  HidrawDevice device = Open(kEventDescriptor, 1);
  handle_->reads = {Report("01 02 00 04 00 00 00 00 00")};
  std::array<std::uint8_t, 4> report{};
  auto got = device.ReadReport(report, 50);
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(*got, 0u);
  EXPECT_EQ(Hex(report), "00 00 00 00");
}

TEST_F(HidrawDeviceTest, UnnumberedDataReportComesWithReportIdZero) {
  HidrawDevice device = Open(kCommandDescriptor, 0);
  std::vector<std::uint8_t> payload(64);
  for (std::size_t i = 0; i < payload.size(); ++i) {
    payload[i] = static_cast<std::uint8_t>(i + 1);
  }
  handle_->reads = {{payload, {64, 0}}};
  std::array<std::uint8_t, 65> report{};
  auto got = device.ReadReport(report, 1000);
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(*got, 65u);
  EXPECT_EQ(report[0], 0);
  EXPECT_EQ(Hex(std::span(report).subspan(1)), Hex(payload));
}

TEST_F(HidrawDeviceTest, SentReportsGoOutUnchanged) {
  HidrawDevice device = Open(kCommandDescriptor, 0);
  const auto feature = FromHex("00 8D 00 00 00 00 00 00 72");
  ASSERT_TRUE(device.SendFeatureReport(feature).ok());
  std::vector<std::uint8_t> data(65, 0x5A);
  data[0] = 0;
  handle_->send_result = {65, 0};
  ASSERT_TRUE(device.WriteReport(data).ok());
  ASSERT_EQ(handle_->sent.size(), 2u);
  EXPECT_EQ(Hex(handle_->sent[0]), Hex(feature));
  EXPECT_EQ(Hex(handle_->sent[1]), Hex(data));

  std::array<std::uint8_t, 9> answer{};
  auto got = device.GetFeatureReport(answer);
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(*got, 9u);
  EXPECT_EQ(Hex(answer), "00 11 12 13 14 15 16 17 18");
}

TEST_F(HidrawDeviceTest, ReportOfAnotherCollectionIsRefusedBeforeTheWire) {
  HidrawDevice device = Open(kCommandDescriptor, 0);
  auto sent = device.SendFeatureReport(FromHex("04 8D 00 00 00 00 00 00 72"));
  ASSERT_FALSE(sent.ok());
  EXPECT_EQ(sent.error().code, ErrorCode::kInvalidArgument);
  EXPECT_TRUE(handle_->sent.empty());
}

TEST_F(HidrawDeviceTest, FailureOnAPresentNodeIsAnIoError) {
  HidrawDevice device = Open(kCommandDescriptor, 0);
  handle_->send_result = {-1, EPIPE};
  auto sent = device.SendFeatureReport(FromHex("00 8D 00 00 00 00 00 00 72"));
  ASSERT_FALSE(sent.ok());
  EXPECT_EQ(sent.error().code, ErrorCode::kIo);
  EXPECT_NE(sent.error().message.find("scripted failure"), std::string::npos);
  // Not unplugged: the next transfer is tried again.
  handle_->send_result = {9, 0};
  EXPECT_TRUE(device.SendFeatureReport(FromHex("00 8D 00 00 00 00 00 00 72")).ok());
}

TEST_F(HidrawDeviceTest, HangUpMeansUnpluggedForGood) {
  HidrawDevice device = Open(kEventDescriptor, 1);
  handle_->reads = {{{}, {-1, 0}}};  // poll saw the hang-up; hidapi set no errno
  std::array<std::uint8_t, 4> report{};
  auto got = device.ReadReport(report, 200);
  ASSERT_FALSE(got.ok());
  EXPECT_EQ(got.error().code, ErrorCode::kDisconnected);
  handle_->reads = {Report("04 02 15 01")};
  auto again = device.ReadReport(report, 200);
  ASSERT_FALSE(again.ok());
  EXPECT_EQ(again.error().code, ErrorCode::kDisconnected);
  EXPECT_EQ(handle_->reads.size(), 1u);  // the node was not asked again
}

TEST_F(HidrawDeviceTest, FailureAfterTheNodeVanishedIsADisconnection) {
  HidrawDevice device = Open(kCommandDescriptor, 0);
  std::filesystem::remove(node_);
  handle_->send_result = {-1, EIO};
  auto sent = device.WriteReport(std::vector<std::uint8_t>(65, 0));
  ASSERT_FALSE(sent.ok());
  EXPECT_EQ(sent.error().code, ErrorCode::kDisconnected);
  handle_->send_result = {9, 0};
  auto feature = device.SendFeatureReport(FromHex("00 8D 00 00 00 00 00 00 72"));
  ASSERT_FALSE(feature.ok());
  EXPECT_EQ(feature.error().code, ErrorCode::kDisconnected);
}

TEST_F(HidrawDeviceTest, EmptyReadBufferIsRefused) {
  HidrawDevice device = Open(kCommandDescriptor, 0);
  auto got = device.ReadReport({}, 10);
  ASSERT_FALSE(got.ok());
  EXPECT_EQ(got.error().code, ErrorCode::kInvalidArgument);
}

}  // namespace
}  // namespace n240qx
