#include <gtest/gtest.h>

#include "MacroTestSupport.h"
#include "macros/MacroEvent.h"
#include "macros/MacroRecording.h"

namespace n240qx {
namespace {

using testing::Buffer;
using testing::Hex;
using testing::UsedHex;

TEST(MacroEventEncoding, GoldenEvents) {
  EXPECT_EQ(Hex(EncodeEvent(false, 1, 0x04).span()), "01 04");
  EXPECT_EQ(Hex(EncodeEvent(true, 80, 0x04).span()), "D0 04");
  EXPECT_EQ(Hex(EncodeEvent(true, 126, 0x04).span()), "FE 04");
  EXPECT_EQ(Hex(EncodeEvent(true, 127, 0x04).span()), "FF 04 00 7F");
  EXPECT_EQ(Hex(EncodeEvent(true, 300, 0x04).span()), "FF 04 01 2C");
  EXPECT_EQ(Hex(EncodeEvent(false, 60000, 0x04).span()), "7F 04 EA 60");
}

TEST(MacroEventEncoding, DecodeReadsBothForms) {
  const EventBuffer buffer = Buffer({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C, 0xD0, 0x42});
  const auto events = WalkEvents(buffer);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[1].offset, 2u);
  EXPECT_EQ(events[1].length, 4u);
  EXPECT_EQ(events[1].delay_ms, 300);
  EXPECT_TRUE(events[1].release());
  EXPECT_EQ(events[2].offset, 6u);
  EXPECT_EQ(events[2].delay_ms, 80);
  EXPECT_EQ(EventsEnd(buffer), 8u);
}

TEST(MacroEventWalk, EndsAtAZeroKeyOrWhereAnEventWouldPassTheEnd) {
  EventBuffer buffer = Buffer({0x01, 0x41, 0x81, 0x00, 0x01, 0x42});
  EXPECT_EQ(WalkEvents(buffer).size(), 1u) << "the zero key ends the sequence";

  // 94 two-byte events, then an escaped event at 188 whose delay bytes would be 190 and 191.
  buffer.fill(0x05);
  buffer[188] = 0x7F;
  EXPECT_EQ(EventsEnd(buffer), 188u);
  buffer[188] = 0x05;
  EXPECT_EQ(EventsEnd(buffer), 190u) << "a 2-byte event at 188 is the last that fits";
  EXPECT_EQ(WalkEvents(buffer).size(), 95u);
}

TEST(MacroEventWalk, GarbageNeverLeadsOutOfTheBuffer) {
  // Every head the escape form, every key non-zero: the walk must stop at the buffer's end.
  for (std::uint8_t fill : {0x7F, 0xFF, 0x01, 0x80}) {
    EventBuffer buffer;
    buffer.fill(fill);
    const std::size_t end = EventsEnd(buffer);
    EXPECT_LE(end, buffer.size()) << "fill " << int(fill);
    for (const MacroEvent& event : WalkEvents(buffer)) {
      EXPECT_LE(event.end(), buffer.size());
    }
  }
  // A span shorter than an event yields nothing.
  const std::uint8_t one[] = {0x7F};
  EXPECT_TRUE(WalkEvents(one).empty());
  EXPECT_FALSE(DecodeEventAt(one, 5).has_value());
}

TEST(MacroRecording, A300msReleaseIsStoredInTheEscapeForm) {
  MacroBuffers buffers;
  ASSERT_TRUE(AppendRecordedEvent(buffers, {0x41, 0x04, false, 0}, true).ok());
  const auto release = AppendRecordedEvent(buffers, {0x41, 0x04, true, 300}, true);
  ASSERT_TRUE(release.ok());
  EXPECT_EQ(release->offset, 2u);
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 FF 04 01 2C");
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 FF 41 01 2C");
}

TEST(MacroRecording, WithoutTheDelayOptionEveryEventCarriesDelayOne) {
  MacroBuffers buffers;
  ASSERT_TRUE(AppendRecordedEvent(buffers, {0x41, 0x04, false, 500}, false).ok());
  ASSERT_TRUE(AppendRecordedEvent(buffers, {0x41, 0x04, true, 120000 / 2}, false).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 81 41");
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 81 04");
}

TEST(MacroRecording, FirstEventNeverCarriesADelay) {
  MacroBuffers buffers;
  const auto first = AppendRecordedEvent(buffers, {0x41, 0x04, true, 900}, true);
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(first->head, 0x81);
}

TEST(MacroRecording, DelaysFromTheClockAreWholeMillisecondsWithinAMinute) {
  EXPECT_EQ(RecordedDelayMs(0), 1) << "0 ms would show a line that the line model cannot place";
  EXPECT_EQ(RecordedDelayMs(999), 1);
  EXPECT_EQ(RecordedDelayMs(2999), 2);
  EXPECT_EQ(RecordedDelayMs(300'000), 300);
  EXPECT_EQ(RecordedDelayMs(120'000'000), 60000);
  EXPECT_EQ(RecordedDelayMs(UINT64_MAX), 60000);
}

TEST(MacroRecording, AZeroDelayIsStoredAsOne) {
  MacroBuffers buffers;
  ASSERT_TRUE(AppendRecordedEvent(buffers, {0x41, 0x04, false, 0}, true).ok());
  const auto release = AppendRecordedEvent(buffers, {0x41, 0x04, true, 0}, true);
  ASSERT_TRUE(release.ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 81 41");
  EXPECT_EQ(testing::Lines(buffers.key_events), (std::vector<std::string>{"A  dn", "A  up"}));
}

TEST(MacroRecording, AFullMacroTakesNoMoreAndNothingPassesByte189) {
  MacroBuffers buffers;
  for (int i = 0; i < 92; ++i) {
    ASSERT_TRUE(AppendRecordedEvent(buffers, {0x41, 0x04, i % 2 == 1, 2}, true).ok()) << i;
  }
  ASSERT_EQ(EventsEnd(buffers.key_events), 184u);
  const MacroBuffers before = buffers;
  EXPECT_FALSE(AppendRecordedEvent(buffers, {0x42, 0x05, false, 2}, true).ok())
      << "a press must start before byte 184";
  EXPECT_EQ(buffers, before);
  // A release in the escape form still fits at 184..187; the next one would reach byte 191.
  ASSERT_TRUE(AppendRecordedEvent(buffers, {0x42, 0x05, true, 5000}, true).ok());
  EXPECT_EQ(EventsEnd(buffers.key_events), 188u);
  const MacroBuffers full = buffers;
  EXPECT_FALSE(AppendRecordedEvent(buffers, {0x42, 0x05, true, 5000}, true).ok());
  EXPECT_EQ(buffers, full);
  EXPECT_FALSE(AppendRecordedEvent(buffers, {0x42, 0x05, true, 5}, true).ok())
      << "releases stop at byte 188";
  EXPECT_EQ(buffers, full);
}

TEST(MacroRecording, KeysWithoutADeviceCodeAreNotRecorded) {
  MacroBuffers buffers;
  EXPECT_FALSE(AppendRecordedEvent(buffers, {0x0C, 0x00, false, 1}, true).ok());
  EXPECT_EQ(buffers, MacroBuffers{});
}

TEST(MacroRecording, AppendingOverGarbageClearsWhatLayBehindTheEnd) {
  MacroBuffers buffers = testing::Buffers({0x01, 0x41, 0x05, 0x00, 0x01, 0x42});
  buffers.device_events[4] = 0x01;
  buffers.device_events[5] = 0x05;
  ASSERT_TRUE(AppendRecordedEvent(buffers, {0x41, 0x04, true, 1}, false).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 81 41");
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 81 04");
}

}  // namespace
}  // namespace n240qx
