#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "CommandBench.h"

namespace n240qx {
namespace {

using scripted::CommandBench;
using scripted::Fault;
using scripted::FaultKind;
using scripted::Hex;
using scripted::PatternedImage;
using scripted::Transfer;
namespace field = image_field;

std::vector<std::uint8_t> SentPayloads(const CommandBench& bench) {
  std::vector<std::uint8_t> joined;
  for (const auto& report : bench.Entries(WireDirection::kOut, WireKind::kData)) {
    EXPECT_EQ(report.bytes.size(), 65U);
    EXPECT_EQ(report.bytes.at(0), 0x00);
    joined.insert(joined.end(), report.bytes.begin() + 1, report.bytes.end());
  }
  return joined;
}

TEST(WriteLighting, OpeningFrameIsDarkClosingFrameCarriesBrightness) {
  CommandBench bench;
  ConfigImage image;
  image.brightness() = 50;
  image.effect_speed() = 0;
  ASSERT_TRUE(bench.writes.WriteLighting(LightingFrame::kOpening, image).ok());
  ASSERT_TRUE(bench.writes.WriteLighting(LightingFrame::kClosing, image).ok());
  image.effect_speed() = 9;
  ASSERT_TRUE(bench.writes.WriteLighting(LightingFrame::kClosing, image).ok());
  const auto requests = bench.Entries(WireDirection::kOut, WireKind::kFeature);
  ASSERT_EQ(requests.size(), 3U);
  EXPECT_EQ(Hex(requests[0].bytes), "00 08 01 00 0A 00 00 00 EC");
  EXPECT_EQ(Hex(requests[1].bytes), "00 08 02 00 0A 32 00 00 B9");
  EXPECT_EQ(requests[2].bytes[4], 1) << "speed 9 on the slider is 1 on the keyboard";
}

TEST(WriteConversions, ResponseTimeGoesOutOneHigher) {
  CommandBench bench;
  ConfigImage image;
  image.response_time() = 0;
  ASSERT_TRUE(bench.writes.WriteResponseTime(image).ok());
  image.response_time() = 9;
  ASSERT_TRUE(bench.writes.WriteResponseTime(image).ok());
  const auto requests = bench.Entries(WireDirection::kOut, WireKind::kFeature);
  ASSERT_EQ(requests.size(), 2U);
  EXPECT_EQ(requests[0].bytes[2], 1);
  EXPECT_EQ(requests[1].bytes[2], 10);
}

TEST(WriteRegions, KeyEnableMaskFillsTwentyOneBytesAndZeroesTheRest) {
  CommandBench bench;
  const ConfigImage image = PatternedImage(0x40);  // non-zero bytes follow the mask
  ASSERT_TRUE(bench.writes.WriteKeyEnableMask(image).ok());
  const auto reports = bench.Entries(WireDirection::kOut, WireKind::kData);
  ASSERT_EQ(reports.size(), 1U);
  const auto& bytes = reports[0].bytes;
  ASSERT_EQ(bytes.size(), 65U);
  EXPECT_EQ(Hex(std::span(bytes).subspan(1, 21)), Hex(image.key_enable_mask()));
  EXPECT_EQ(Hex(std::span(bytes).subspan(22)), Hex(std::vector<std::uint8_t>(43, 0)));
}

TEST(WriteRegions, KeyMapAndMacroGoOutWholeAndInOrder) {
  CommandBench bench;
  const ConfigImage image = PatternedImage(0x11);
  ASSERT_TRUE(bench.writes.WriteKeyMap(image).ok());
  EXPECT_EQ(Hex(SentPayloads(bench)), Hex(image.key_map()));

  bench.Restart();
  std::array<std::uint8_t, 192> record{};
  std::copy_n(image.Field(field::MacroRecord(12)).begin(), 192, record.begin());
  ASSERT_TRUE(bench.writes.WriteMacro(12, record).ok());
  EXPECT_EQ(Hex(SentPayloads(bench)), Hex(record));
}

TEST(WriteGameMode, FoldsTheWindowsKeyLockIntoTheMaskOnceSent) {
  CommandBench bench;
  ConfigImage image;
  image.game_mode() = 1;
  image.windows_key_lock() = 1;
  image.key_enable_mask()[1] = 0x3F;
  ASSERT_TRUE(bench.writes.WriteGameMode(image).ok());
  EXPECT_EQ(image.key_enable_mask()[1], 0x3E);

  image.key_enable_mask()[1] = 0x3F;
  bench.keyboard.Unplug();
  const Status failed = bench.writes.WriteGameMode(image);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().code, ErrorCode::kDisconnected);
  EXPECT_EQ(image.key_enable_mask()[1], 0x3F) << "nothing changes when the send failed";
}

TEST(WriteFailures, AFailedRequestStopsTheCommandBeforeItsDataReports) {
  CommandBench bench;
  const ConfigImage image = PatternedImage(1);
  bench.keyboard.AddFault({Transfer::kFeature, 0, FaultKind::kError});
  const Status status = bench.writes.WriteColourTable(1, image);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::kIo);
  EXPECT_NE(status.error().message.find("WriteColourTable"), std::string::npos);
  EXPECT_EQ(bench.Trace(), "F!");
}

TEST(WriteFailures, AFailedDataReportStopsTheCommandThere) {
  struct Case {
    FaultKind kind;
    ErrorCode code;
    ErrorCode expected;
  };
  const Case cases[] = {{FaultKind::kError, ErrorCode::kIo, ErrorCode::kIo},
                        {FaultKind::kShort, ErrorCode::kIo, ErrorCode::kBadData},
                        {FaultKind::kError, ErrorCode::kDisconnected, ErrorCode::kDisconnected}};
  for (const Case& c : cases) {
    CommandBench bench;
    const ConfigImage image = PatternedImage(2);
    bench.keyboard.AddFault({Transfer::kDataOut, 2, c.kind, c.code});
    const Status status = bench.writes.WriteKeyMap(image);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().code, c.expected);
    EXPECT_NE(status.error().message.find("WriteKeyMap"), std::string::npos);
    EXPECT_NE(status.error().message.find("report 3 of 8"), std::string::npos)
        << status.error().message;
    if (c.kind == FaultKind::kError) {
      EXPECT_EQ(bench.Trace(), "F0D +50 W W W!");
    }
  }
}

TEST(WriteFailures, FactoryResetStopsAtTheFirstFailedStep) {
  CommandBench bench;
  bench.keyboard.AddFault({Transfer::kFeature, 1, FaultKind::kError, ErrorCode::kDisconnected});
  const Status status = bench.writes.FactoryReset();
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::kDisconnected);
  EXPECT_NE(status.error().message.find("FactoryReset"), std::string::npos);
  EXPECT_EQ(bench.Trace(), "F13 +300 F!");
}

TEST(WriteFailures, ClosedLinkSendsNothing) {
  CommandBench bench;
  bench.link.CloseLink();
  const Status status = bench.writes.WriteBracket(Bracket::kOpen);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::kNotOpen);
  EXPECT_EQ(bench.keyboard.TransferCount(), 0);
}

TEST(WriteRange, IndexesBeyondTheKeyboardsSendNothing) {
  CommandBench bench;
  const ConfigImage image;
  const std::array<std::uint8_t, 192> record{};
  const Status statuses[] = {bench.writes.WriteMacro(32, record),
                             bench.writes.WriteColourTable(5, image),
                             bench.writes.WriteColourSlot(7, image)};
  for (const Status& status : statuses) {
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().code, ErrorCode::kInvalidArgument);
  }
  EXPECT_EQ(bench.keyboard.TransferCount(), 0);
}

}  // namespace
}  // namespace n240qx
