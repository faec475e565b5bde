#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "macros/MacroRecordBuilder.h"
#include "macros/MacroStore.h"
#include "support/Hex.h"

namespace n240qx {
namespace {

using namespace macro_layout;

using testing::Hex;

MacroStoreEntry NamedEntry(std::u16string_view name, std::uint16_t repeat_count) {
  MacroStoreEntry entry;
  EXPECT_TRUE(entry.SetName(name).ok());
  entry.repeat_count = repeat_count;
  return entry;
}

TEST(MacroStoreEntryLayout, FieldsLandAtTheirPackedOffsets) {
  MacroStoreEntry entry = NamedEntry(u"Ab\u20AC", 0x0102);
  entry.set_has_delay(true);
  entry.device_events[0] = 0x11;
  entry.device_events[189] = 0x12;
  entry.key_events[0] = 0x21;
  entry.key_events[189] = 0x22;
  const auto bytes = entry.ToBytes();
  ASSERT_EQ(bytes.size(), 894u);
  EXPECT_EQ(Hex(std::span(bytes).first(8)), "41 00 62 00 AC 20 00 00");
  EXPECT_EQ(Hex(std::span(bytes).subspan(510, 4)), "02 01 01 11");
  EXPECT_EQ(bytes[702], 0x12);
  EXPECT_EQ(bytes[703], 0x21);
  EXPECT_EQ(bytes[892], 0x22);
  EXPECT_EQ(bytes[893], 0x00);
  EXPECT_EQ(MacroStoreEntry::FromBytes(bytes), entry);
}

TEST(MacroRecords, RepeatCountIsBigEndianAheadOfTheDeviceEvents) {
  MacroStore store;
  store.entry(0) = NamedEntry(u"Macro_001", 3);
  store.entry(0).device_events[0] = 0x01;
  store.entry(0).device_events[1] = 0x04;
  store.entry(1) = NamedEntry(u"Macro_002", 999);
  store.entry(1).device_events[189] = 0x5A;
  ConfigImage image;
  BuildMacroRecords(store, image);
  const auto record0 = image.Field(image_field::MacroRecord(0));
  const auto record1 = image.Field(image_field::MacroRecord(1));
  EXPECT_EQ(Hex(record0.first(4)), "00 03 01 04");
  EXPECT_EQ(Hex(record1.first(2)), "03 E7");
  EXPECT_EQ(record1[191], 0x5A);
}

TEST(MacroRecords, RecordsFromTheFirstUnusedEntryOnKeepTheirBytes) {
  ConfigImage image;
  for (auto& byte : image.macros()) {
    byte = 0xAA;
  }
  MacroStore store;
  store.entry(0) = NamedEntry(u"one", 1);
  store.entry(1) = NamedEntry(u"two", 2);
  // Entry 3 is named but lies behind the unused entry 2, so the list ends before it.
  store.entry(3) = NamedEntry(u"orphan", 7);
  BuildMacroRecords(store, image);
  EXPECT_EQ(Hex(image.Field(image_field::MacroRecord(1)).first(3)), "00 02 00");
  for (std::size_t record = 2; record < image_field::kMacroRecordCount; ++record) {
    for (std::uint8_t byte : image.Field(image_field::MacroRecord(record))) {
      ASSERT_EQ(byte, 0xAA) << "record " << record;
    }
  }
}

TEST(MacroRecords, MoreNamedEntriesThanRecordsStopAtTheMacroField) {
  MacroStore store;
  for (std::size_t index = 0; index < 40; ++index) {
    store.entry(index) = NamedEntry(u"m", 5);
  }
  ConfigImage image;
  for (auto& byte : image.bytes()) {
    byte = 0xCC;
  }
  BuildMacroRecords(store, image);
  EXPECT_EQ(image.Field(image_field::MacroRecord(31))[1], 5);
  EXPECT_EQ(image.bytes()[image_field::kMacros.end()], 0xCC) << "the byte after record 31";
}

}  // namespace
}  // namespace n240qx
