#include <gtest/gtest.h>

#include <random>

#include "MacroTestSupport.h"
#include "macros/MacroEventList.h"

namespace n240qx {
namespace {

using testing::Buffer;
using testing::Lines;
using Strings = std::vector<std::string>;

TEST(EventListLines, DelayLinesShowOnlyForRealDelays) {
  // A first press with delay 40 shows none; a release with delay 1 none; delay 2 shows "2 ms".
  EXPECT_EQ(Lines(Buffer({0x28, 0x41, 0x81, 0x41, 0x02, 0x42, 0x82, 0x42})),
            (Strings{"A  dn", "A  up", "2 ms", "B  dn", "2 ms", "B  up"}));
  EXPECT_EQ(Lines(Buffer({0x01, 0xF0, 0xFF, 0xF0, 0x01, 0x2C})),
            (Strings{"MsLB dn", "300 ms", "MsLB up"}));
  EXPECT_TRUE(Lines(Buffer({})).empty());
}

TEST(EventListLines, AFirstReleaseKeepsItsDelayLine) {
  EXPECT_EQ(Lines(Buffer({0x85, 0x41})), (Strings{"5 ms", "A  up"}));
}

TEST(EventListLines, DelayLinesAreRecognisedByTheirText) {
  EXPECT_TRUE(IsDelayLine(u"50 ms"));
  EXPECT_TRUE(IsDelayLine(DelayLineText(60000)));
  EXPECT_FALSE(IsDelayLine(u"MsLB dn"));
  EXPECT_FALSE(IsDelayLine(u"A  up"));
}

TEST(FindEventOffset, MapsEventLinesToByteOffsets) {
  // [press, delay 1] [release, delay 200] [press, delay 1]: lines A dn, 200 ms, B up, C dn.
  const EventBuffer events = Buffer({0x01, 0x41, 0xFF, 0x42, 0x00, 0xC8, 0x01, 0x43});
  EXPECT_EQ(FindEventOffset(events, 0), 0u);
  EXPECT_EQ(FindEventOffset(events, 1), 2u);
  EXPECT_EQ(FindEventOffset(events, 3), 6u);
  EXPECT_EQ(FindEventOffset(events, 4), 8u) << "one past the last line appends";
  EXPECT_EQ(FindEventOffset(events, 2), 0u) << "a key line behind a delay line begins no event";
  EXPECT_EQ(FindEventOffset(events, 5), 0u);
  EXPECT_FALSE(LineBoundaryOffset(events, 2).has_value());
  EXPECT_FALSE(LineBoundaryOffset(events, 5).has_value());
  EXPECT_EQ(FindEventOffset(Buffer({}), 0), 0u);
}

TEST(FindEventOffset, LocateLineTellsDelayLinesFromKeyLines) {
  const EventBuffer events = Buffer({0x01, 0x41, 0xFF, 0x42, 0x00, 0xC8, 0x01, 0x43});
  const auto delay = LocateLine(events, 1);
  const auto key = LocateLine(events, 2);
  ASSERT_TRUE(delay && key);
  EXPECT_TRUE(delay->delay_line);
  EXPECT_FALSE(key->delay_line);
  EXPECT_EQ(delay->event.offset, 2u);
  EXPECT_EQ(key->event.offset, 2u);
  EXPECT_FALSE(LocateLine(events, 4).has_value());
}

// The event list and FindEventOffset count lines by one rule, so for any buffer the line at
// which the list shows an event is the line FindEventOffset maps to that event, and the list
// has exactly as many lines as the mapping knows.
void ExpectListAndOffsetsAgree(const EventBuffer& events) {
  const auto lines = BuildEventLines(events, testing::TestKeyName);
  std::size_t line = 0;
  bool first = true;
  for (const MacroEvent& event : WalkEvents(events)) {
    ASSERT_EQ(FindEventOffset(events, line), event.offset) << testing::Hex(events);
    const std::size_t count = LineCountOf(event, first);
    ASSERT_LT(line + count - 1, lines.size());
    EXPECT_EQ(IsDelayLine(lines[line]), count == 2) << "line " << line;
    EXPECT_FALSE(IsDelayLine(lines[line + count - 1]));
    line += count;
    first = false;
  }
  EXPECT_EQ(line, lines.size());
  EXPECT_EQ(FindEventOffset(events, line), EventsEnd(events));
}

TEST(FindEventOffset, AgreesWithTheListForZeroDelaysAndOddHeads) {
  // A 0 ms head (from an older file), a first press with a delay, an escaped delay of 1 ms.
  ExpectListAndOffsetsAgree(Buffer({0x28, 0x41, 0x80, 0x41, 0x00, 0x42, 0xFF, 0x42, 0x00, 0x01}));
  EXPECT_EQ(Lines(Buffer({0x01, 0x41, 0x80, 0x41})), (Strings{"A  dn", "0 ms", "A  up"}));
  EXPECT_EQ(FindEventOffset(Buffer({0x01, 0x41, 0x80, 0x41, 0x01, 0x42}), 3), 4u);
}

TEST(FindEventOffset, AgreesWithTheListOnRandomBuffers) {
  std::mt19937 random(1234);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> small(0, 3);
  for (int round = 0; round < 300; ++round) {
    EventBuffer events{};
    for (auto& cell : events) {
      // Mostly small values and escape heads, so that walks get long.
      const int pick = small(random);
      cell = static_cast<std::uint8_t>(pick == 0 ? byte(random) : pick == 1 ? 0x7F : 1 + pick);
    }
    ExpectListAndOffsetsAgree(events);
  }
}

}  // namespace
}  // namespace n240qx
