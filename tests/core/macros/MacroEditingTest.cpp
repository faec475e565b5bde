#include <gtest/gtest.h>

#include "MacroTestSupport.h"
#include "macros/MacroEditing.h"
#include "macros/MacroEventList.h"

namespace n240qx {
namespace {

using testing::Buffers;
using testing::Lines;
using testing::UsedHex;
using Strings = std::vector<std::string>;

constexpr EventHeadAndKey kLeftDown{0x01, 0xF0};
constexpr EventHeadAndKey kLeftUp{0x81, 0xF0};

TEST(InsertEventAt, LeftClickAfterTheFirstLine) {
  MacroBuffers buffers = Buffers({0x01, 0x41, 0x81, 0x41});
  ASSERT_TRUE(InsertEventAt(buffers, 1, kLeftDown, kLeftDown).ok());
  ASSERT_TRUE(InsertEventAt(buffers, 2, kLeftUp, kLeftUp).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 01 F0 81 F0 81 41");
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 01 F0 81 F0 81 04");
  EXPECT_EQ(Lines(buffers.key_events), (Strings{"A  dn", "MsLB dn", "MsLB up", "A  up"}));
}

TEST(InsertEventAt, BeforeAnEventGoesInFrontOfItsDelayLine) {
  // Lines: A dn, 300 ms, A up. Insert Before on "A up" captures at line 1 (the delay line).
  MacroBuffers buffers = Buffers({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C});
  ASSERT_TRUE(InsertEventAt(buffers, 1, {0x01, 0x42}, {0x01, 0x05}).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 01 42 FF 41 01 2C");
  EXPECT_EQ(Lines(buffers.key_events), (Strings{"A  dn", "B  dn", "300 ms", "A  up"}));
}

TEST(InsertEventAt, AppendsAtTheLineAfterTheLast) {
  MacroBuffers buffers = Buffers({0x01, 0x41, 0x81, 0x41});
  ASSERT_TRUE(InsertEventAt(buffers, 2, {0x01, 0x42}, {0x01, 0x05}).ok());
  ASSERT_TRUE(InsertEventAt(buffers, 3, {0x81, 0x42}, {0x81, 0x05}).ok());
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 81 04 01 05 81 05");
}

TEST(InsertEventAt, RefusesWhatWouldNotFitOrCannotBePlaced) {
  MacroBuffers full;
  for (std::size_t at = 0; at < 190; at += 2) {
    full.key_events[at] = full.device_events[at] = 0x01;
    full.key_events[at + 1] = 0x41;
    full.device_events[at + 1] = 0x04;
  }
  MacroBuffers buffers = full;
  EXPECT_EQ(InsertEventAt(buffers, 0, kLeftDown, kLeftDown).error().code,
            ErrorCode::kInvalidArgument);
  EXPECT_EQ(buffers, full) << "a full buffer loses nothing";

  buffers = Buffers({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C});
  const MacroBuffers before = buffers;
  EXPECT_FALSE(InsertEventAt(buffers, 2, kLeftDown, kLeftDown).ok()) << "key line behind delay";
  EXPECT_FALSE(InsertEventAt(buffers, 9, kLeftDown, kLeftDown).ok());
  EXPECT_FALSE(InsertEventAt(buffers, 0, {0x7F, 0xF0}, {0x7F, 0xF0}).ok()) << "escape head";
  EXPECT_FALSE(InsertEventAt(buffers, 0, {0x01, 0x0C}, {0x01, 0x00}).ok()) << "no device code";
  EXPECT_FALSE(InsertEventAt(buffers, 0, {0x01, 0xF0}, {0x81, 0xF0}).ok()) << "heads differ";
  EXPECT_EQ(buffers, before);
}

TEST(SetDelay, GrowsIntoTheEscapeFormAndBackWithTheBytesBehindReturning) {
  // Lines: A dn, 100 ms, A up, B dn, B up.
  MacroBuffers buffers = Buffers({0x01, 0x41, 0xE4, 0x41, 0x01, 0x42, 0x81, 0x42});
  const MacroBuffers original = buffers;
  ASSERT_TRUE(EditDelayLine(buffers, 1, 300).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 FF 41 01 2C 01 42 81 42");
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 FF 04 01 2C 01 05 81 05");
  EXPECT_EQ(Lines(buffers.key_events), (Strings{"A  dn", "300 ms", "A  up", "B  dn", "B  up"}));
  ASSERT_TRUE(EditDelayLine(buffers, 1, 60000).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 FF 41 EA 60 01 42 81 42");
  ASSERT_TRUE(EditDelayLine(buffers, 1, 100).ok());
  EXPECT_EQ(buffers, original) << UsedHex(buffers.key_events);
}

TEST(SetDelay, EscapeGrowthIsRefusedWhenTheBufferIsFull) {
  MacroBuffers buffers;
  for (std::size_t at = 0; at < 190; at += 2) {
    buffers.key_events[at] = buffers.device_events[at] = 0x02;
    buffers.key_events[at + 1] = buffers.device_events[at + 1] = 0xF0;
  }
  buffers.key_events[0] = buffers.device_events[0] = 0x01;
  const MacroBuffers before = buffers;
  EXPECT_FALSE(SetDelayAt(buffers, 4, 500).ok());
  EXPECT_EQ(buffers, before);
  EXPECT_TRUE(SetDelayAt(buffers, 4, 126).ok()) << "staying in the head needs no room";
  EXPECT_EQ(buffers.key_events[4], 0x7E);
}

TEST(SetDelay, RefusesOffsetsInsideEventsAndDelaysOutOfRange) {
  MacroBuffers buffers = Buffers({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42});
  const MacroBuffers before = buffers;
  EXPECT_FALSE(SetDelayAt(buffers, 4, 50).ok()) << "byte 4 is a delay byte, not an event";
  EXPECT_FALSE(SetDelayAt(buffers, 8, 50).ok()) << "no event at the end";
  EXPECT_FALSE(SetDelayAt(buffers, 2, 0).ok());
  EXPECT_FALSE(SetDelayAt(buffers, 2, 60001).ok());
  EXPECT_FALSE(EditDelayLine(buffers, 1, 1).ok()) << "edited delays start at 2 ms";
  buffers.device_events[2] = 0x7F;
  EXPECT_EQ(SetDelayAt(buffers, 2, 50).error().code, ErrorCode::kBadData);
  buffers.device_events[2] = 0xFF;
  EXPECT_EQ(buffers, before);
}

TEST(InsertDelay, TheEventAfterTheLineGetsFiftyMilliseconds) {
  MacroBuffers buffers = Buffers({0x01, 0x41, 0x81, 0x41});
  ASSERT_TRUE(InsertDelayAfterLine(buffers, 0).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 B2 41");
  EXPECT_EQ(Lines(buffers.key_events), (Strings{"A  dn", "50 ms", "A  up"}));

  // It replaces an escaped delay, and the escape's two bytes go.
  buffers = Buffers({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42});
  ASSERT_TRUE(InsertDelayAfterLine(buffers, 0).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 B2 41 01 42");
  EXPECT_EQ(buffers.key_events[6], 0);

  const MacroBuffers before = buffers;
  EXPECT_FALSE(InsertDelayAfterLine(buffers, 1).ok()) << "a delay line is edited in place";
  EXPECT_FALSE(InsertDelayAfterLine(buffers, 3).ok()) << "the last line has no event after it";
  EXPECT_EQ(buffers, before);
}

TEST(DeleteLine, ADelayLineGoesAndItsKeyLineStays) {
  MacroBuffers buffers = Buffers({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42});
  ASSERT_TRUE(DeleteLine(buffers, 1).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 81 41 01 42");
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 81 04 01 05");
}

TEST(DeleteLine, AKeyLineTakesItsWholeEventWithItsDelayLine) {
  MacroBuffers buffers = Buffers({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42});
  ASSERT_TRUE(DeleteLine(buffers, 2).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 01 42");
  for (std::size_t at = 4; at < buffers.key_events.size(); ++at) {
    ASSERT_EQ(buffers.key_events[at], 0) << at;
    ASSERT_EQ(buffers.device_events[at], 0) << at;
  }
}

TEST(DeleteLine, TheNewFirstEventLosesItsDelay) {
  MacroBuffers buffers = Buffers({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42});
  ASSERT_TRUE(DeleteLine(buffers, 0).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "81 41 01 42");
  EXPECT_EQ(Lines(buffers.key_events), (Strings{"A  up", "B  dn"}));
}

TEST(DeleteLine, TheLastEventLeavesAnAllZeroBuffer) {
  MacroBuffers buffers = Buffers({0x81, 0x41});
  ASSERT_TRUE(DeleteLine(buffers, 0).ok());
  EXPECT_EQ(buffers, MacroBuffers{}) << "no stray head at byte 0 for the next recording";
  EXPECT_FALSE(DeleteLine(buffers, 0).ok());
}

TEST(KeepFirstEventAtDelayOne, RewritesOnlyAnEventThatHasADelay) {
  MacroBuffers buffers = Buffers({0xFF, 0x41, 0x01, 0x2C, 0x01, 0x42});
  KeepFirstEventAtDelayOne(buffers);
  EXPECT_EQ(UsedHex(buffers.key_events), "81 41 01 42");
  KeepFirstEventAtDelayOne(buffers);
  EXPECT_EQ(UsedHex(buffers.key_events), "81 41 01 42");
  MacroBuffers empty;
  KeepFirstEventAtDelayOne(empty);
  EXPECT_EQ(empty, MacroBuffers{});
}

}  // namespace
}  // namespace n240qx
