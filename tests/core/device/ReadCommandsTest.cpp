#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

#include "CommandBench.h"
#include "device/CommandCode.h"

namespace n240qx {
namespace {

using scripted::CommandBench;
using scripted::Fault;
using scripted::FaultKind;
using scripted::Hex;
using scripted::PatternedImage;
using scripted::Transfer;
namespace field = image_field;
namespace code = command_code;

std::vector<std::uint8_t> Answer(std::uint8_t command, std::vector<std::uint8_t> b2_onwards) {
  std::vector<std::uint8_t> answer(9, 0);
  answer[1] = command;
  std::copy_n(b2_onwards.begin(), std::min<std::size_t>(b2_onwards.size(), 7), answer.begin() + 2);
  return answer;
}

std::vector<std::uint8_t> Counting(std::size_t size, std::uint8_t first) {
  std::vector<std::uint8_t> bytes(size);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

TEST(ReadConversions, ResponseTimeIsOneBelowTheKeyboardsValue) {
  CommandBench bench;
  ConfigImage image;
  bench.keyboard.SetAnswer(code::kReadResponseTime, Answer(code::kReadResponseTime, {10}));
  ASSERT_TRUE(bench.reads.ReadResponseTime(image).ok());
  EXPECT_EQ(image.response_time(), 9);

  // A real answer of 0 wraps as it always did; only a failed answer is refused.
  bench.keyboard.SetAnswer(code::kReadResponseTime, Answer(code::kReadResponseTime, {0}));
  ASSERT_TRUE(bench.reads.ReadResponseTime(image).ok());
  EXPECT_EQ(image.response_time(), 255);
}

TEST(ReadConversions, LightingFrameAndSpeedAsTenMinusTheKeyboardsValue) {
  CommandBench bench;
  ConfigImage image = PatternedImage(1);
  const ConfigImage before = image;
  bench.keyboard.SetAnswer(code::kReadLighting, Answer(code::kReadLighting, {0, 5, 10, 50, 8, 4}));
  ASSERT_TRUE(bench.reads.ReadLighting(image).ok());
  EXPECT_EQ(image.light_effect(), 5);
  EXPECT_EQ(image.effect_speed(), 0);
  EXPECT_EQ(image.brightness(), 50);
  EXPECT_EQ(image.colour_choice(), 8);
  EXPECT_EQ(image.light_direction(), 4);
  EXPECT_EQ(image.bytes()[field::kLighting.offset - 1],
            before.bytes()[field::kLighting.offset - 1]);
  EXPECT_EQ(image.bytes()[field::kLighting.end()], before.bytes()[field::kLighting.end()]);

  bench.keyboard.SetAnswer(code::kReadLighting, Answer(code::kReadLighting, {0, 5, 1, 50, 8, 4}));
  ASSERT_TRUE(bench.reads.ReadLighting(image).ok());
  EXPECT_EQ(image.effect_speed(), 9);
}

TEST(ReadConversions, SingleByteSettingsAndTheFirmwareVersion) {
  CommandBench bench;
  ConfigImage image;
  bench.keyboard.SetAnswer(code::kReadReportRate, Answer(code::kReadReportRate, {3}));
  bench.keyboard.SetAnswer(code::kReadGameMode, Answer(code::kReadGameMode, {1}));
  bench.keyboard.SetAnswer(code::kReadFirmwareVersion,
                           Answer(code::kReadFirmwareVersion, {1, 4, 9, 9}));
  ASSERT_TRUE(bench.reads.ReadReportRate(image).ok());
  ASSERT_TRUE(bench.reads.ReadGameMode(image).ok());
  const auto version = bench.reads.ReadFirmwareVersion();
  ASSERT_TRUE(version.ok());
  EXPECT_EQ(image.report_rate(), 3);
  EXPECT_EQ(image.game_mode(), 1);
  EXPECT_EQ(*version, (FirmwareVersion{1, 4}));
  EXPECT_LT(*version, (FirmwareVersion{2, 0}));
  EXPECT_LT((FirmwareVersion{1, 3}), *version);
}

TEST(ReadConversions, ColourSlotTakesAnswerBytesFourToSix) {
  CommandBench bench;
  ConfigImage image = PatternedImage(2);
  const ConfigImage before = image;
  bench.keyboard.SetAnswer(code::kReadColourSlot,
                           Answer(code::kReadColourSlot, {0x77, 6, 0xA1, 0xB2, 0xC3}));
  ASSERT_TRUE(bench.reads.ReadColourSlot(6, image).ok());
  EXPECT_EQ(Hex(image.Field(field::ColourSlot(6))), "A1 B2 C3");
  EXPECT_EQ(Hex(image.Field(field::ColourSlot(5))), Hex(before.Field(field::ColourSlot(5))));
}

TEST(ReadPlacement, BulkRegionsLandWhereTheyBelong) {
  CommandBench bench;
  ConfigImage image = PatternedImage(3);
  const ConfigImage before = image;
  const auto key_map = Counting(512, 0x10);
  const auto macro = Counting(192, 0x80);
  const auto table = Counting(512, 0x40);
  bench.keyboard.QueueDataPayloads(key_map);
  bench.keyboard.QueueDataPayloads(macro);
  bench.keyboard.QueueDataPayloads(table);

  ASSERT_TRUE(bench.reads.ReadKeyMap(image).ok());
  ASSERT_TRUE(bench.reads.ReadMacro(5, image).ok());
  ASSERT_TRUE(bench.reads.ReadColourTable(3, image).ok());

  EXPECT_EQ(Hex(image.key_map()), Hex(key_map));
  EXPECT_EQ(Hex(image.Field(field::MacroRecord(5))), Hex(macro));
  EXPECT_EQ(Hex(image.Field(field::ColourTable(3))), Hex(table));
  for (const ImageField untouched : {field::MacroRecord(4), field::MacroRecord(6),
                                     field::ColourTable(2), field::ColourTable(4)}) {
    EXPECT_TRUE(image.FieldEquals(before, untouched)) << "offset " << untouched.offset;
  }
}

TEST(ReadPlacement, KeyEnableMaskTakesTwentyOneBytesAndDerivesTheLock) {
  CommandBench bench;
  ConfigImage image;
  auto payload = Counting(64, 0xA0);
  payload[1] = 0x3E;  // slot 6 disabled
  bench.keyboard.QueueDataPayloads(payload);
  ASSERT_TRUE(bench.reads.ReadKeyEnableMask(image).ok());
  EXPECT_EQ(Hex(image.key_enable_mask()), Hex(std::span(payload).first(21)));
  EXPECT_EQ(image.windows_key_lock(), 1) << "derived, not payload byte 21";

  payload[1] = 0x01;
  bench.keyboard.QueueDataPayloads(payload);
  ASSERT_TRUE(bench.reads.ReadKeyEnableMask(image).ok());
  EXPECT_EQ(image.windows_key_lock(), 0);
}

TEST(ReadAnswers, UnusedAnswersMayFailButTheDataStillComes) {
  CommandBench bench;
  ConfigImage image;
  const auto key_map = Counting(512, 1);
  bench.keyboard.QueueDataPayloads(key_map);
  bench.keyboard.AddFault({Transfer::kAnswer, 0, FaultKind::kError});
  EXPECT_TRUE(bench.reads.ReadKeyMap(image).ok());
  EXPECT_EQ(bench.Trace(), "F8D A! R R R R R R R R");
  EXPECT_EQ(Hex(image.key_map()), Hex(key_map));
}

TEST(ReadAnswers, AnUnplugAtTheUnusedAnswerStopsAtOnce) {
  CommandBench bench;
  ConfigImage image = PatternedImage(4);
  const ConfigImage before = image;
  bench.keyboard.QueueDataPayloads(Counting(512, 1));
  bench.keyboard.AddFault({Transfer::kAnswer, 0, FaultKind::kError, ErrorCode::kDisconnected});
  const Status status = bench.reads.ReadColourTable(0, image);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::kDisconnected);
  EXPECT_EQ(bench.Trace(), "F92 +50 A!");
  EXPECT_EQ(image.bytes(), before.bytes());
}

TEST(ReadRange, IndexesBeyondTheKeyboardsSendNothing) {
  CommandBench bench;
  ConfigImage image;
  const Status statuses[] = {bench.reads.ReadMacro(32, image),
                             bench.reads.ReadColourTable(5, image),
                             bench.reads.ReadColourSlot(7, image)};
  for (const Status& status : statuses) {
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().code, ErrorCode::kInvalidArgument);
  }
  EXPECT_EQ(bench.keyboard.TransferCount(), 0);
}

// A keyboard that stops answering, answers garbage or goes away mid-command must leave the
// image exactly as it was, and the error must say which command failed.
struct ReadCase {
  const char* name;
  std::function<Status(CommandBench&, ConfigImage&)> run;
  int data_reports;
  bool uses_answer;
};

struct FaultCase {
  const char* name;
  Transfer transfer;
  FaultKind kind;
  ErrorCode code;  // the code the command must return
};

std::vector<ReadCase> ReadCases() {
  auto firmware = [](CommandBench& b, ConfigImage&) {
    auto version = b.reads.ReadFirmwareVersion();
    return version.ok() ? Status::Ok() : Status(version.error());
  };
  return {
      {"ReadFirmwareVersion", firmware, 0, true},
      {"ReadReportRate", [](auto& b, auto& i) { return b.reads.ReadReportRate(i); }, 0, true},
      {"ReadResponseTime", [](auto& b, auto& i) { return b.reads.ReadResponseTime(i); }, 0, true},
      {"ReadLighting", [](auto& b, auto& i) { return b.reads.ReadLighting(i); }, 0, true},
      {"ReadGameMode", [](auto& b, auto& i) { return b.reads.ReadGameMode(i); }, 0, true},
      {"ReadColourSlot", [](auto& b, auto& i) { return b.reads.ReadColourSlot(2, i); }, 0, true},
      {"ReadKeyMap", [](auto& b, auto& i) { return b.reads.ReadKeyMap(i); }, 8, false},
      {"ReadKeyEnableMask", [](auto& b, auto& i) { return b.reads.ReadKeyEnableMask(i); }, 1,
       false},
      {"ReadMacro", [](auto& b, auto& i) { return b.reads.ReadMacro(7, i); }, 3, false},
      {"ReadColourTable", [](auto& b, auto& i) { return b.reads.ReadColourTable(1, i); }, 8, false},
  };
}

const FaultCase kFaults[] = {
    {"request fails", Transfer::kFeature, FaultKind::kError, ErrorCode::kIo},
    {"request short", Transfer::kFeature, FaultKind::kShort, ErrorCode::kBadData},
    {"answer fails", Transfer::kAnswer, FaultKind::kError, ErrorCode::kIo},
    {"answer missing", Transfer::kAnswer, FaultKind::kTimeout, ErrorCode::kBadData},
    {"answer short", Transfer::kAnswer, FaultKind::kShort, ErrorCode::kBadData},
    {"answer unplugged", Transfer::kAnswer, FaultKind::kError, ErrorCode::kDisconnected},
    {"last data report times out", Transfer::kDataIn, FaultKind::kTimeout, ErrorCode::kTimeout},
    {"last data report short", Transfer::kDataIn, FaultKind::kShort, ErrorCode::kBadData},
    {"last data report fails", Transfer::kDataIn, FaultKind::kError, ErrorCode::kIo},
    {"last data report unplugged", Transfer::kDataIn, FaultKind::kError, ErrorCode::kDisconnected},
};

bool Applies(const ReadCase& read, const FaultCase& fault) {
  switch (fault.transfer) {
    case Transfer::kAnswer:
      return read.uses_answer || fault.code == ErrorCode::kDisconnected;
    case Transfer::kDataIn:
      return read.data_reports > 0;
    default:
      return true;
  }
}

TEST(ReadFailures, AFailedOrGarbageTransferChangesNoByteOfTheImage) {
  for (const ReadCase& read : ReadCases()) {
    for (const FaultCase& fault : kFaults) {
      if (!Applies(read, fault)) {
        continue;
      }
      SCOPED_TRACE(std::string(read.name) + ", " + fault.name);
      CommandBench bench;
      bench.keyboard.SetAnswer(0x84, Answer(0x84, {7}));
      bench.keyboard.QueueDataPayloads(Counting(64 * read.data_reports, 0x21));
      const int nth = fault.transfer == Transfer::kDataIn ? read.data_reports - 1 : 0;
      bench.keyboard.AddFault({fault.transfer, nth, fault.kind, fault.code});
      ConfigImage image = PatternedImage(5);
      const ConfigImage before = image;

      const Status status = read.run(bench, image);

      ASSERT_FALSE(status.ok());
      EXPECT_EQ(status.error().code, fault.code) << status.error().message;
      EXPECT_NE(status.error().message.find(read.name), std::string::npos)
          << status.error().message;
      EXPECT_TRUE(image.bytes() == before.bytes());
    }
  }
}

TEST(ReadFailures, AKeyboardThatStopsAnsweringMidwayLeavesTheImageAlone) {
  CommandBench bench;
  ConfigImage image = PatternedImage(6);
  const ConfigImage before = image;
  bench.keyboard.QueueDataPayloads(Counting(5 * 64, 0));  // three reports short of a key map
  const Status status = bench.reads.ReadKeyMap(image);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::kTimeout);
  EXPECT_NE(status.error().message.find("report 6 of 8"), std::string::npos)
      << status.error().message;
  EXPECT_TRUE(image.bytes() == before.bytes());
}

TEST(ReadFailures, ANewlyUnpluggedKeyboardFailsEveryReadAtTheRequest) {
  CommandBench bench;
  ConfigImage image = PatternedImage(7);
  const ConfigImage before = image;
  bench.keyboard.Unplug();
  const Status status = bench.reads.ReadResponseTime(image);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, ErrorCode::kDisconnected);
  EXPECT_EQ(bench.Trace(), "F!");
  EXPECT_EQ(image.response_time(), before.response_time()) << "not 255";
  EXPECT_TRUE(image.bytes() == before.bytes());
}

}  // namespace
}  // namespace n240qx
