#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "keys/FactoryKeyMap.h"
#include "sim/SimFrames.h"
#include "sim/SimulatedLink.h"

namespace n240qx {
namespace {

using namespace sim_test;

// The firmware model driven through the link with hand-built frames.
class SimulatedKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    command_ = OpenPath(link_, kCommandPath);
    events_ = OpenPath(link_, kEventPath);
    ASSERT_NE(command_, nullptr);
    ASSERT_NE(events_, nullptr);
  }

  Frame9 AskCommand(const Frame9& request) { return Ask(*command_, request); }

  void Send(const Frame9& request) {
    auto sent = command_->SendFeatureReport(request);
    ASSERT_TRUE(sent.ok()) << sent.error().message;
  }

  void SendData(std::span<const std::uint8_t> payload) {
    const Frame65 report = DataReport(payload);
    auto sent = command_->WriteReport(report);
    ASSERT_TRUE(sent.ok()) << sent.error().message;
  }

  // Sends `bytes` as consecutive data reports of 64 bytes.
  void SendPayloads(std::span<const std::uint8_t> bytes) {
    for (std::size_t offset = 0; offset < bytes.size(); offset += 64) {
      SendData(bytes.subspan(offset, std::min<std::size_t>(64, bytes.size() - offset)));
    }
  }

  std::vector<Event4> Acks() { return DrainEvents(*events_); }

  SimulatedLink link_;
  std::unique_ptr<HidDevice> command_;
  std::unique_ptr<HidDevice> events_;
};

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(seed + 7 * i);
  }
  return bytes;
}

const std::vector<Event4> kOneAck = {kAck};

TEST_F(SimulatedKeyboardTest, StartsAtFactorySettings) {
  const SimulatedMemory memory = link_.Memory();
  EXPECT_EQ(memory, SimulatedMemory::Factory());
  EXPECT_EQ(memory.light_effect, 3);
  EXPECT_EQ(memory.colour_choice, 8);
  EXPECT_EQ(memory.effect_speed, 5);
  EXPECT_EQ(memory.brightness, 50);
  EXPECT_EQ(memory.light_direction, 1);
  EXPECT_EQ(Hex(memory.colour_slots),
            "FF 00 00 00 FF 00 00 00 FF FF FF 00 00 FF FF FF 00 FF FF FF FF");
  EXPECT_TRUE(std::all_of(memory.key_enable_mask.begin(), memory.key_enable_mask.end(),
                          [](std::uint8_t b) { return b == 0xFF; }));
  EXPECT_TRUE(std::all_of(memory.macros.begin(), memory.macros.end(),
                          [](std::uint8_t b) { return b == 0; }));
  const auto factory_keys = FactoryKeyMap();
  EXPECT_TRUE(std::equal(memory.key_map.begin(), memory.key_map.end(), factory_keys.begin()));
}

TEST_F(SimulatedKeyboardTest, ScalarReadsAnswerWithGoldenBytes) {
  SimulatedMemory memory = link_.Memory();
  memory.report_rate = 2;
  memory.response_time = 7;
  memory.light_effect = 4;
  memory.effect_speed = 9;
  memory.brightness = 30;
  memory.colour_choice = 2;
  memory.light_direction = 3;
  memory.game_mode = 1;
  memory.colour_slots[9] = 0x12;
  memory.colour_slots[10] = 0x34;
  memory.colour_slots[11] = 0x56;
  link_.SetMemory(memory);

  EXPECT_EQ(Hex(AskCommand(Command(0x80))), "00 80 01 05 00 00 00 00 79");
  EXPECT_EQ(Hex(AskCommand(Command(0x81))), "00 81 02 00 00 00 00 00 7C");
  EXPECT_EQ(Hex(AskCommand(Command(0x84))), "00 84 07 00 00 00 00 00 74");
  EXPECT_EQ(Hex(AskCommand(Command(0x88))), "00 88 00 04 09 1E 02 03 47");
  EXPECT_EQ(Hex(AskCommand(Command(0x89))), "00 89 01 00 00 00 00 00 75");
  EXPECT_EQ(Hex(AskCommand(Command(0x94, 0, 3))), "00 94 00 03 12 34 56 00 CC");
  EXPECT_TRUE(Acks().empty()) << "reads are not acknowledged";
}

TEST_F(SimulatedKeyboardTest, FirmwareVersionIsConfigurable) {
  link_.SetFirmwareVersion(2, 0);
  EXPECT_EQ(Hex(AskCommand(Command(0x80))), "00 80 02 00 00 00 00 00 7D");
}

TEST_F(SimulatedKeyboardTest, BulkReadsDeliverTheirRegionInOrder) {
  SimulatedMemory memory = link_.Memory();
  const auto key_map = Pattern(512, 1);
  const auto mask = Pattern(21, 2);
  const auto macro = Pattern(192, 3);
  const auto table = Pattern(512, 4);
  std::copy(key_map.begin(), key_map.end(), memory.key_map.begin());
  std::copy(mask.begin(), mask.end(), memory.key_enable_mask.begin());
  std::copy(macro.begin(), macro.end(), memory.macros.begin() + 192 * 31);
  std::copy(table.begin(), table.end(), memory.colour_tables.begin() + 512 * 4);
  link_.SetMemory(memory);

  const Frame9 key_map_answer = AskCommand(Command(0x8D));
  EXPECT_EQ(key_map_answer[1], 0x8D);
  EXPECT_EQ(ReadPayloads(*command_, 8), key_map);

  AskCommand(Command(0x8E, 0, 0, 0x15));
  std::vector<std::uint8_t> mask_report = mask;
  mask_report.resize(64, 0);
  EXPECT_EQ(ReadPayloads(*command_, 1), mask_report);

  AskCommand(Command(0x91, 0, 31));
  EXPECT_EQ(ReadPayloads(*command_, 3), macro);

  AskCommand(Command(0x92, 0, 4, 8));
  EXPECT_EQ(ReadPayloads(*command_, 8), table);

  Frame65 extra{};
  auto read = command_->ReadReport(extra, 0);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 0U) << "a read command queues exactly its own reports";
}

TEST_F(SimulatedKeyboardTest, EveryReadAnswerCarriesItsCodeAndAValidChecksum) {
  const Frame9 reads[] = {Command(0x80),
                          Command(0x81),
                          Command(0x84),
                          Command(0x88),
                          Command(0x89),
                          Command(0x8D),
                          Command(0x8E, 0, 0, 0x15),
                          Command(0x91, 0, 5),
                          Command(0x92, 0, 2, 8),
                          Command(0x94, 0, 6)};
  for (const Frame9& request : reads) {
    const Frame9 answer = AskCommand(request);
    EXPECT_EQ(answer[1], request[1]) << Hex(answer);
    EXPECT_EQ(answer,
              Command(answer[1], answer[2], answer[3], answer[4], answer[5], answer[6], answer[7]))
        << "checksum of " << Hex(answer);
  }
}

TEST_F(SimulatedKeyboardTest, ANewCommandDropsUnreadDataReports) {
  AskCommand(Command(0x8D));
  ReadPayloads(*command_, 3);
  AskCommand(Command(0x81));
  Frame65 report{};
  auto read = command_->ReadReport(report, 0);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 0U);
}

TEST_F(SimulatedKeyboardTest, SimpleWritesAreStoredAndAcknowledgedOnce) {
  Send(Command(0x01, 2));
  EXPECT_EQ(Acks(), kOneAck);
  Send(Command(0x04, 7));
  EXPECT_EQ(Acks(), kOneAck);
  Send(Command(0x14, 0, 6, 0x11, 0x22, 0x33));
  EXPECT_EQ(Acks(), kOneAck);
  Send(Command(0x18, 1));
  EXPECT_EQ(Acks(), kOneAck);
  Send(Command(0x09, 0));
  EXPECT_EQ(Acks(), kOneAck);

  const SimulatedMemory memory = link_.Memory();
  EXPECT_EQ(memory.report_rate, 2);
  EXPECT_EQ(memory.response_time, 7);
  EXPECT_EQ(Hex(std::span(memory.colour_slots).last(3)), "11 22 33");
  EXPECT_EQ(memory.game_mode, 0);
  EXPECT_EQ(link_.Counters().writes_completed, 5);
  EXPECT_EQ(link_.Counters().acknowledgements_sent, 5);
}

TEST_F(SimulatedKeyboardTest, GameModeIsSetOnlyInsideAWriteBracket) {
  // Every read starts with 0x09 01 (mode one); it must not switch game mode on by itself.
  Send(Command(0x09, 1));
  EXPECT_EQ(Hex(Command(0x09, 1)), "00 09 01 00 00 00 00 00 F5");
  EXPECT_EQ(link_.Memory().game_mode, 0);

  Send(Command(0x18, 1));
  Send(Command(0x09, 1));
  EXPECT_EQ(link_.Memory().game_mode, 1);
  Send(Command(0x09, 0));
  EXPECT_EQ(link_.Memory().game_mode, 0);
  Send(Command(0x09, 1));
  Send(Command(0x18, 0));
  Send(Command(0x09, 0));  // mode select again after the bracket closed
  EXPECT_EQ(link_.Memory().game_mode, 1);
}

TEST_F(SimulatedKeyboardTest, LightingOpeningFrameDarkensUntilTheClosingFrame) {
  Send(Command(0x08, 1, 4, 9, 0, 2, 3));
  SimulatedMemory memory = link_.Memory();
  EXPECT_EQ(memory.light_effect, 4);
  EXPECT_EQ(memory.effect_speed, 9);
  EXPECT_EQ(memory.brightness, 0);
  Send(Command(0x08, 2, 4, 9, 30, 2, 3));
  memory = link_.Memory();
  EXPECT_EQ(memory.brightness, 30);
  EXPECT_EQ(memory.colour_choice, 2);
  EXPECT_EQ(memory.light_direction, 3);
  EXPECT_EQ(Acks().size(), 2U);
}

TEST_F(SimulatedKeyboardTest, KeyMapWriteIsAcknowledgedAfterItsEighthReport) {
  const auto key_map = Pattern(512, 9);
  Send(Command(0x0D, 0, 0, 8));
  SendPayloads(std::span(key_map).first(7 * 64));
  EXPECT_TRUE(Acks().empty()) << "acknowledged before the last data report";
  const auto half_written = link_.Memory().key_map;
  EXPECT_FALSE(std::equal(half_written.begin(), half_written.end(), key_map.begin()));
  SendPayloads(std::span(key_map).last(64));
  EXPECT_EQ(Acks(), kOneAck);
  const auto stored = link_.Memory().key_map;
  EXPECT_EQ(std::vector<std::uint8_t>(stored.begin(), stored.end()), key_map);
}

TEST_F(SimulatedKeyboardTest, KeyEnableMaskWriteKeepsOnlyTheFirst21Bytes) {
  auto report = Pattern(64, 5);
  Send(Command(0x0E, 0, 0, 0x15));
  SendData(report);
  EXPECT_EQ(Acks(), kOneAck);
  const auto mask = link_.Memory().key_enable_mask;
  EXPECT_EQ(Hex(mask), Hex(std::span(report).first(21)));
}

TEST_F(SimulatedKeyboardTest, MacroWriteLandsInItsRecordOnly) {
  const Frame9 request = Command(0x11, 0, 31, 3);
  EXPECT_EQ(request[8], 0xCC);
  const auto record = Pattern(192, 11);
  Send(request);
  SendPayloads(record);
  EXPECT_EQ(Acks(), kOneAck);
  const SimulatedMemory memory = link_.Memory();
  EXPECT_TRUE(std::equal(record.begin(), record.end(), memory.macros.begin() + 192 * 31));
  EXPECT_TRUE(std::all_of(memory.macros.begin(), memory.macros.begin() + 192 * 31,
                          [](std::uint8_t b) { return b == 0; }));
}

TEST_F(SimulatedKeyboardTest, ColourTableWriteLandsInItsTableOnly) {
  const auto table = Pattern(512, 13);
  const SimulatedMemory before = link_.Memory();
  Send(Command(0x12, 0, 2, 8));
  SendPayloads(table);
  EXPECT_EQ(Acks(), kOneAck);
  const SimulatedMemory after = link_.Memory();
  EXPECT_TRUE(std::equal(table.begin(), table.end(), after.colour_tables.begin() + 512 * 2));
  EXPECT_TRUE(std::equal(after.colour_tables.begin(), after.colour_tables.begin() + 1024,
                         before.colour_tables.begin()));
  EXPECT_TRUE(std::equal(after.colour_tables.begin() + 1536, after.colour_tables.end(),
                         before.colour_tables.begin() + 1536));
}

TEST_F(SimulatedKeyboardTest, InterruptedBulkWriteStoresNothing) {
  const SimulatedMemory before = link_.Memory();
  Send(Command(0x0D, 0, 0, 8));
  SendPayloads(Pattern(3 * 64, 1));
  Send(Command(0x01, 1));
  SendPayloads(Pattern(5 * 64, 1));
  EXPECT_EQ(Acks(), kOneAck) << "only the report rate write completes";
  EXPECT_EQ(link_.Memory().key_map, before.key_map);
  EXPECT_EQ(link_.Counters().reports_ignored, 5);
}

TEST_F(SimulatedKeyboardTest, MalformedCommandsAreIgnoredWithoutAcknowledgement) {
  Frame9 bad_checksum = Command(0x01, 2);
  bad_checksum[8] ^= 0x01;
  const Frame9 malformed[] = {
      bad_checksum,           Command(0x0D, 0, 0, 7),       Command(0x11, 0, 32, 3),
      Command(0x12, 0, 5, 8), Command(0x14, 0, 7, 1, 2, 3), Command(0x13, 0),
      Command(0x55)};
  const SimulatedMemory before = link_.Memory();
  for (const Frame9& request : malformed) {
    Send(request);
    EXPECT_FALSE(link_.LastRejection().empty()) << Hex(request);
  }
  EXPECT_TRUE(Acks().empty());
  EXPECT_EQ(link_.Memory(), before);
  EXPECT_EQ(link_.Counters().reports_ignored, 7);
  EXPECT_EQ(link_.Counters().commands_accepted, 0);
}

TEST_F(SimulatedKeyboardTest, ReadWithIndexOutOfRangeGivesNoAnswerAndNoData) {
  EXPECT_EQ(Hex(AskCommand(Command(0x91, 0, 32))), "00 00 00 00 00 00 00 00 00");
  Frame65 report{};
  auto read = command_->ReadReport(report, 0);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 0U);
}

TEST_F(SimulatedKeyboardTest, FactoryResetRestoresEverythingButTheFirmwareVersion) {
  SimulatedMemory changed = link_.Memory();
  changed.firmware_minor = 3;
  changed.report_rate = 0;
  changed.game_mode = 1;
  changed.brightness = 7;
  changed.key_map.fill(0xAB);
  changed.key_enable_mask.fill(0x0F);
  changed.macros.fill(0x42);
  changed.colour_tables.fill(0x24);
  link_.SetMemory(changed);

  const Frame9 reset = Command(0x13, 0xFF);
  EXPECT_EQ(reset[8], 0xED);
  Send(reset);
  EXPECT_EQ(Acks(), kOneAck);
  SimulatedMemory expected = SimulatedMemory::Factory();
  expected.firmware_minor = 3;
  EXPECT_EQ(link_.Memory(), expected);
}

}  // namespace
}  // namespace n240qx
