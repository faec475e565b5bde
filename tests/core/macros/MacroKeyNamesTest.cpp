#include <gtest/gtest.h>

#include "MacroTestSupport.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroEditing.h"
#include "macros/MacroRecording.h"

namespace n240qx {
namespace {

using testing::UsedHex;
using Lines = std::vector<std::u16string>;

class MacroKeyNamesTest : public ::testing::Test {
 protected:
  const KeyNameTable names_ = BuildKeyNameTable();
};

TEST_F(MacroKeyNamesTest, RecordingAKeyHeld300msWithTheDelayOption) {
  MacroBuffers buffers;
  ASSERT_TRUE(AppendRecordedEvent(buffers, RecordedEventOf(names_, 0x41, false, 0), true).ok());
  ASSERT_TRUE(AppendRecordedEvent(buffers, RecordedEventOf(names_, 0x41, true, 300), true).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 FF 41 01 2C");
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 FF 04 01 2C");
  EXPECT_EQ(BuildEventLines(buffers.key_events, names_), (Lines{u"A  dn", u"300 ms", u"A  up"}));
}

TEST_F(MacroKeyNamesTest, ATwoMinutePauseIsRecordedAsAMinute) {
  MacroBuffers buffers;
  ASSERT_TRUE(AppendRecordedEvent(buffers, RecordedEventOf(names_, 0x20, false, 1), true).ok());
  const auto event = AppendRecordedEvent(
      buffers, RecordedEventOf(names_, 0x20, false, RecordedDelayMs(120'000'000)), true);
  ASSERT_TRUE(event.ok());
  EXPECT_EQ(UsedHex(buffers.device_events), "01 2C 7F 2C EA 60");
}

TEST_F(MacroKeyNamesTest, MouseClickInsertedAfterTheFirstLine) {
  MacroBuffers buffers = testing::Buffers({0x01, 0x41, 0x81, 0x41});
  ASSERT_TRUE(InsertKeyEventAt(buffers, 1, names_, 0xF0, false).ok());
  ASSERT_TRUE(InsertKeyEventAt(buffers, 2, names_, 0xF0, true).ok());
  EXPECT_EQ(UsedHex(buffers.key_events), "01 41 01 F0 81 F0 81 41");
  EXPECT_EQ(UsedHex(buffers.device_events), "01 04 01 F0 81 F0 81 04");
  EXPECT_EQ(BuildEventLines(buffers.key_events, names_),
            (Lines{u"A  dn", u"MsLB dn", u"MsLB up", u"A  up"}));
}

TEST_F(MacroKeyNamesTest, CapturedKeysWithoutADeviceCodeAreRefused) {
  MacroBuffers buffers = testing::Buffers({0x01, 0x41});
  const MacroBuffers before = buffers;
  EXPECT_FALSE(InsertKeyEventAt(buffers, 1, names_, 0x0C, false).ok());
  EXPECT_FALSE(AppendRecordedEvent(buffers, RecordedEventOf(names_, 0x0C, false, 5), true).ok());
  EXPECT_EQ(buffers, before);
}

}  // namespace
}  // namespace n240qx
