#include <gtest/gtest.h>

#include "MacroTestSupport.h"
#include "macros/MacroRecord.h"
#include "macros/MacroSelection.h"

namespace n240qx {
namespace {

MacroSelection Selected(std::u16string name, bool loop, std::uint16_t count) {
  return MacroSelection{1, std::move(name), loop, count, true};
}

TEST(SaveSelectedMacro, TheSelectedEntryTakesTheDialogState) {
  MacroStore working;
  const MacroBuffers buffers = testing::Buffers({0x01, 0x41, 0x81, 0x41});
  ASSERT_TRUE(SaveSelectedMacro(working, Selected(u"Macro_002", true, 25), buffers).ok());
  const MacroStoreEntry& entry = working.entry(1);
  EXPECT_EQ(entry.Name(), u"Macro_002");
  EXPECT_EQ(entry.repeat_count, 25);
  EXPECT_TRUE(entry.has_delay());
  EXPECT_EQ(entry.key_events, buffers.key_events);
  EXPECT_EQ(entry.device_events, buffers.device_events);
  EXPECT_EQ(working.entry(0), MacroStoreEntry{});
}

TEST(SaveSelectedMacro, RepeatCountFollowsTheLoopBox) {
  MacroStore working;
  const MacroBuffers buffers;
  ASSERT_TRUE(SaveSelectedMacro(working, Selected(u"m", false, 25), buffers).ok());
  EXPECT_EQ(working.entry(1).repeat_count, 1);
  ASSERT_TRUE(SaveSelectedMacro(working, Selected(u"m", true, 0), buffers).ok());
  EXPECT_EQ(working.entry(1).repeat_count, 1);
  ASSERT_TRUE(SaveSelectedMacro(working, Selected(u"m", true, 5000), buffers).ok());
  EXPECT_EQ(working.entry(1).repeat_count, 999);
}

TEST(SaveSelectedMacro, FlagsBecomeTheDelayBoxAlone) {
  struct Case {
    std::uint8_t stored;
    bool has_delay;
    std::uint8_t saved;
  };
  for (const Case c : {Case{0xFE, true, 0x01}, Case{0xFF, false, 0x00}, Case{0x00, true, 0x01},
                       Case{0x80, false, 0x00}}) {
    MacroStore working;
    working.entry(1).flags = c.stored;  // as a damaged file left it
    MacroSelection selected = Selected(u"m", false, 1);
    selected.has_delay = c.has_delay;
    ASSERT_TRUE(SaveSelectedMacro(working, selected, MacroBuffers{}).ok());
    EXPECT_EQ(working.entry(1).flags, c.saved) << "stored " << int{c.stored};
  }
}

TEST(SaveSelectedMacro, WithoutSelectionNothingChanges) {
  MacroStore working;
  ASSERT_TRUE(SaveSelectedMacro(working, std::nullopt, testing::Buffers({0x01, 0x41})).ok());
  EXPECT_EQ(working, MacroStore{});
  MacroSelection past_the_end = Selected(u"m", false, 1);
  past_the_end.index = 190;
  EXPECT_FALSE(SaveSelectedMacro(working, past_the_end, MacroBuffers{}).ok());
  EXPECT_EQ(working, MacroStore{});
}

TEST(MacroNames, AnEmptyNameNeverReachesTheStore) {
  MacroStore working;
  ASSERT_TRUE(SaveSelectedMacro(working, Selected(u"kept", false, 1), MacroBuffers{}).ok());
  ASSERT_TRUE(SaveSelectedMacro(working, Selected(u"", false, 1), MacroBuffers{}).ok());
  EXPECT_EQ(working.entry(1).Name(), u"kept");
  MacroStoreEntry entry;
  EXPECT_EQ(entry.SetName(u"").error().code, ErrorCode::kInvalidArgument);
  EXPECT_FALSE(entry.InUse());
}

TEST(MacroNames, LongNamesAreCutTo254UnitsOutsideSurrogatePairs) {
  MacroStoreEntry entry;
  ASSERT_TRUE(entry.SetName(std::u16string(400, u'x')).ok());
  EXPECT_EQ(entry.Name().size(), 254u);
  EXPECT_EQ(entry.name[254], u'\0') << "room for the terminator";

  std::u16string pair_at_the_cut(253, u'x');
  pair_at_the_cut += u"\U0001F600tail";  // units 253 and 254 are a surrogate pair
  ASSERT_TRUE(entry.SetName(pair_at_the_cut).ok());
  EXPECT_EQ(entry.Name(), std::u16string(253, u'x'));

  ASSERT_TRUE(entry.SetName(std::u16string(u"short\0hidden", 12)).ok());
  EXPECT_EQ(entry.Name(), u"short");
}

TEST(MacroNames, AFieldWithoutTerminatorIsCutAtItsEnd) {
  MacroStoreEntry::Bytes bytes{};
  for (std::size_t at = 0; at < macro_layout::kNameBytes; at += 2) {
    bytes[at] = 'N';
  }
  const MacroStoreEntry entry = MacroStoreEntry::FromBytes(bytes);
  EXPECT_EQ(entry.Name(), std::u16string(macro_layout::kNameUnits, u'N'));
  EXPECT_EQ(entry.ToBytes(), bytes) << "the unterminated field is carried through unchanged";
}

TEST(MacroRecordBytes, RecordRoundTripAndBoundedWalk) {
  MacroRecord::Bytes bytes;
  bytes.fill(0x7F);
  bytes[0] = 0x03;
  bytes[1] = 0xE7;
  const MacroRecord record = MacroRecord::FromBytes(bytes);
  EXPECT_EQ(record.repeat_count, 999);
  EXPECT_LE(EventsEnd(record.device_events), macro_layout::kEventBufferSize);
  EXPECT_EQ(record.ToBytes(), bytes);
}

}  // namespace
}  // namespace n240qx
