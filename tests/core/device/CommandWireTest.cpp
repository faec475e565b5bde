#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "CommandBench.h"

namespace n240qx {
namespace {

using scripted::CommandBench;

// Values chosen so that every conversion shows in the request bytes.
ConfigImage WriteSource() {
  ConfigImage image;
  image.report_rate() = 2;
  image.response_time() = 4;
  image.light_effect() = 3;
  image.effect_speed() = 7;
  image.brightness() = 40;
  image.colour_choice() = 8;
  image.light_direction() = 2;
  image.game_mode() = 1;
  const std::uint8_t slot3[] = {0x11, 0x22, 0x33};
  std::copy(std::begin(slot3), std::end(slot3), image.Field(image_field::ColourSlot(3)).begin());
  return image;
}

struct WireCase {
  const char* name;
  std::function<Status(CommandBench&, ConfigImage&)> run;
  std::size_t data_reports_in;
  const char* request;
  const char* trace;
};

Status FirmwareOnly(CommandBench& bench) {
  auto version = bench.reads.ReadFirmwareVersion();
  return version.ok() ? Status::Ok() : Status(version.error());
}

std::vector<WireCase> ReadCases() {
  return {
      {"ReadFirmwareVersion", [](auto& b, auto&) { return FirmwareOnly(b); }, 0,
       "00 80 00 00 00 00 00 00 7F", "F80 +10 A +10"},
      {"ReadReportRate", [](auto& b, auto& i) { return b.reads.ReadReportRate(i); }, 0,
       "00 81 00 00 00 00 00 00 7E", "F81 +10 A +10"},
      {"ReadResponseTime", [](auto& b, auto& i) { return b.reads.ReadResponseTime(i); }, 0,
       "00 84 00 00 00 00 00 00 7B", "F84 +10 A +10"},
      {"ReadLighting", [](auto& b, auto& i) { return b.reads.ReadLighting(i); }, 0,
       "00 88 00 00 00 00 00 00 77", "F88 +10 A"},
      {"ReadGameMode", [](auto& b, auto& i) { return b.reads.ReadGameMode(i); }, 0,
       "00 89 00 00 00 00 00 00 76", "F89 +5 A"},
      {"ReadKeyMap", [](auto& b, auto& i) { return b.reads.ReadKeyMap(i); }, 8,
       "00 8D 00 00 00 00 00 00 72", "F8D A R R R R R R R R"},
      {"ReadKeyEnableMask", [](auto& b, auto& i) { return b.reads.ReadKeyEnableMask(i); }, 1,
       "00 8E 00 00 15 00 00 00 5C", "F8E A R"},
      {"ReadMacro 5", [](auto& b, auto& i) { return b.reads.ReadMacro(5, i); }, 3,
       "00 91 00 05 00 00 00 00 69", "F91 A R R R"},
      {"ReadColourTable 3", [](auto& b, auto& i) { return b.reads.ReadColourTable(3, i); }, 8,
       "00 92 00 03 08 00 00 00 62",
       "F92 +50 A +50 R +50 R +50 R +50 R +50 R +50 R +50 R +50 R +50"},
      {"ReadColourSlot 4", [](auto& b, auto& i) { return b.reads.ReadColourSlot(4, i); }, 0,
       "00 94 00 04 00 00 00 00 67", "F94 +1 A +1"},
  };
}

std::vector<WireCase> WriteCases() {
  return {
      {"WriteReportRate", [](auto& b, auto& i) { return b.writes.WriteReportRate(i); }, 0,
       "00 01 02 00 00 00 00 00 FC", "F01 +10"},
      {"WriteResponseTime", [](auto& b, auto& i) { return b.writes.WriteResponseTime(i); }, 0,
       "00 04 05 00 00 00 00 00 F6", "F04 +10"},
      {"WriteLighting opening",
       [](auto& b, auto& i) { return b.writes.WriteLighting(LightingFrame::kOpening, i); }, 0,
       "00 08 01 03 03 00 08 02 E6", "F08 +10"},
      {"WriteLighting closing",
       [](auto& b, auto& i) { return b.writes.WriteLighting(LightingFrame::kClosing, i); }, 0,
       "00 08 02 03 03 28 08 02 BD", "F08 +10"},
      {"WriteGameMode", [](auto& b, auto& i) { return b.writes.WriteGameMode(i); }, 0,
       "00 09 01 00 00 00 00 00 F5", "F09 +20"},
      {"SelectModeOne", [](auto& b, auto&) { return b.writes.SelectModeOne(); }, 0,
       "00 09 01 00 00 00 00 00 F5", "F09 +20"},
      {"WriteKeyMap", [](auto& b, auto& i) { return b.writes.WriteKeyMap(i); }, 0,
       "00 0D 00 00 08 00 00 00 EA", "F0D +50 W W W W W W W W +60"},
      {"WriteKeyEnableMask", [](auto& b, auto& i) { return b.writes.WriteKeyEnableMask(i); }, 0,
       "00 0E 00 00 15 00 00 00 DC", "F0E +10 W"},
      {"WriteMacro 31",
       [](auto& b, auto& i) {
         return b.writes.WriteMacro(31,
                                    i.Field(image_field::MacroRecord(31)).template first<192>());
       },
       0, "00 11 00 1F 03 00 00 00 CC", "F11 +1 W W W"},
      {"WriteColourTable 2", [](auto& b, auto& i) { return b.writes.WriteColourTable(2, i); }, 0,
       "00 12 00 02 08 00 00 00 E3", "F12 +5 W +5 W +5 W +5 W +5 W +5 W +5 W +5 W +5"},
      {"FactoryReset", [](auto& b, auto&) { return b.writes.FactoryReset(); }, 0,
       "00 13 FF 00 00 00 00 00 ED", "F13 +300 F09 +320 F09 +320"},
      {"WriteColourSlot 3", [](auto& b, auto& i) { return b.writes.WriteColourSlot(3, i); }, 0,
       "00 14 00 03 11 22 33 00 82", "F14 +20"},
      {"WriteBracket open", [](auto& b, auto&) { return b.writes.WriteBracket(Bracket::kOpen); }, 0,
       "00 18 01 00 00 00 00 00 E6", "F18 +20"},
      {"WriteBracket close", [](auto& b, auto&) { return b.writes.WriteBracket(Bracket::kClose); },
       0, "00 18 00 00 00 00 00 00 E7", "F18 +20"},
  };
}

void CheckWire(const WireCase& c) {
  SCOPED_TRACE(c.name);
  CommandBench bench;
  ASSERT_TRUE(bench.link.CommandOpen());
  const std::vector<std::uint8_t> payloads(c.data_reports_in * 64, 0x5A);
  bench.keyboard.QueueDataPayloads(payloads);
  ConfigImage image = WriteSource();

  const Status status = c.run(bench, image);

  EXPECT_TRUE(status.ok()) << status.error().message;
  EXPECT_EQ(bench.RequestHex(), c.request);
  EXPECT_EQ(bench.Trace(), c.trace);
  EXPECT_EQ(bench.keyboard.QueuedDataReports(), 0U) << "every queued data report is read";
}

TEST(CommandWire, EveryReadCommandsRequestPausesAndDataReports) {
  for (const WireCase& c : ReadCases()) {
    CheckWire(c);
  }
}

TEST(CommandWire, EveryWriteCommandsRequestPausesAndDataReports) {
  for (const WireCase& c : WriteCases()) {
    CheckWire(c);
  }
}

TEST(CommandWire, MacroReportsAreSeparatedByYieldsOnly) {
  CommandBench bench;
  const std::array<std::uint8_t, 192> record{};
  ASSERT_TRUE(bench.writes.WriteMacro(0, record).ok());
  EXPECT_EQ(bench.clock.Pauses(), (std::vector<int>{1, 0, 0}));
}

TEST(CommandWire, FactoryResetTakesAtLeast940Ms) {
  CommandBench bench;
  ASSERT_TRUE(bench.writes.FactoryReset().ok());
  EXPECT_EQ(bench.clock.Pauses(), (std::vector<int>{300, 20, 300, 20, 300}));
  EXPECT_EQ(bench.clock.NowUs() - bench.start_us, 940'000);
}

TEST(CommandWire, ReadingTheFiveColourTablesTakesTwoAndAHalfSeconds) {
  CommandBench bench;
  ConfigImage image;
  const std::vector<std::uint8_t> payloads(5 * 512, 0x33);
  bench.keyboard.QueueDataPayloads(payloads);
  for (std::size_t table = 0; table < 5; ++table) {
    ASSERT_TRUE(bench.reads.ReadColourTable(table, image).ok());
  }
  EXPECT_EQ(bench.clock.NowUs() - bench.start_us, 2'500'000);
}

TEST(CommandWire, DataReportsGoOutWholeWithReportIdZero) {
  CommandBench bench;
  ConfigImage image = scripted::PatternedImage(9);
  ASSERT_TRUE(bench.writes.WriteColourTable(4, image).ok());
  const auto sent = bench.Entries(WireDirection::kOut, WireKind::kData);
  ASSERT_EQ(sent.size(), 8U);
  std::vector<std::uint8_t> joined;
  for (const auto& report : sent) {
    ASSERT_EQ(report.bytes.size(), 65U);
    EXPECT_EQ(report.bytes[0], 0x00);
    joined.insert(joined.end(), report.bytes.begin() + 1, report.bytes.end());
  }
  const auto table = image.Field(image_field::ColourTable(4));
  EXPECT_EQ(scripted::Hex(joined), scripted::Hex(table));
}

}  // namespace
}  // namespace n240qx
