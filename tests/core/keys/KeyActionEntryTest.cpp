#include <gtest/gtest.h>

#include "keys/FunctionTable.h"
#include "keys/KeyActionTable.h"
#include "support/Hex.h"

namespace n240qx {
namespace {

using testing::Hex;

TEST(KeyActionEntryLayout, FieldsAtTheirFileOffsets) {
  KeyActionEntry entry;
  entry.key_vk = 0x41;
  entry.kind = 5;
  entry.data[0] = 0x03;
  entry.data[254] = 0xAB;
  entry.count = 2;
  entry.reserved = {0x11, 0x22};
  entry.SetPath(u"/a\u00e9");
  const auto bytes = entry.Encode();
  ASSERT_EQ(bytes.size(), 772u);
  EXPECT_EQ(Hex(std::span(bytes).first(3)), "41 05 03");
  EXPECT_EQ(Hex(std::span(bytes).subspan(256, 4)), "AB 02 11 22");
  EXPECT_EQ(Hex(std::span(bytes).subspan(260, 8)), "2F 00 61 00 E9 00 00 00");
  EXPECT_EQ(KeyActionEntry::Decode(bytes), entry);
}

TEST(KeyActionEntryLayout, PathWithoutTerminatorEndsAtItsField) {
  std::array<std::uint8_t, KeyActionEntry::kSize> bytes;
  bytes.fill(0x41);
  const auto entry = KeyActionEntry::Decode(bytes);
  EXPECT_EQ(entry.PathString().size(), 256u);
  EXPECT_EQ(entry.PathString()[255], u'\x4141');
}

TEST(KeyActionEntryLayout, SetPathCutsToLeaveRoomForTheTerminator) {
  KeyActionEntry entry;
  entry.path.fill(u'x');
  entry.SetPath(std::u16string(300, u'p'));
  EXPECT_EQ(entry.PathString(), std::u16string(255, u'p'));
  entry.SetPath(u"ab");
  EXPECT_EQ(entry.PathString(), u"ab");
  EXPECT_EQ(entry.path[3], u'p') << "units after the terminator keep their contents";
}

TEST(KeyActionTableBytes, ShortInputFillsWhatItHolds) {
  KeyActionTable table;
  for (auto& entry : table.Entries()) {
    entry.path.fill(u'k');
    entry.count = 7;
  }
  std::vector<std::uint8_t> bytes(772 + 258, 0x00);  // entry 0 and entry 1 up to its count
  table.DecodePrefix(bytes);
  EXPECT_EQ(table[0].count, 0);
  EXPECT_EQ(table[0].path[0], u'\0');
  EXPECT_EQ(table[1].count, 0) << "count is byte 257, inside the input";
  EXPECT_EQ(table[1].path[0], u'k') << "the path lies past the input";
  EXPECT_EQ(table[2].count, 7);
}

TEST(KeyActionTableBytes, RoundTripAndExcessIgnored) {
  KeyActionTable table;
  table[254].kind = 7;
  table[254].SetPath(u"/x/y");
  auto bytes = table.Encode();
  ASSERT_EQ(bytes.size(), 196860u);
  bytes.push_back(0xEE);
  KeyActionTable copy;
  copy.DecodePrefix(bytes);
  EXPECT_EQ(copy, table);
  EXPECT_EQ(copy.At(255), nullptr);
}

TEST(FunctionDecoding, MatchesTheFourBytesOrNothing) {
  const std::uint8_t security[] = {0x00, 0xE0, 0xE2, 0x4C, 0x99};
  EXPECT_EQ(DecodeFunction(security), u"Windows security screen");
  const std::uint8_t pause[] = {0x03, 0x00, 0xB7, 0x00};
  EXPECT_EQ(DecodeFunction(pause), u"Pause");
  const std::uint8_t launch[] = {0x03, 0x00, 0x23, 0x02};
  EXPECT_EQ(DecodeFunction(launch), u"Internet browser");
  const std::uint8_t zero[] = {0, 0, 0, 0};
  EXPECT_EQ(DecodeFunction(zero), u"");
  const std::uint8_t reversed[] = {0x4C, 0xE2, 0xE0, 0x00};
  EXPECT_EQ(DecodeFunction(reversed), u"");
  EXPECT_EQ(DecodeFunction(std::span(security).first(3)), u"");
  EXPECT_EQ(FunctionTable::Rows().size(), 23u);
  EXPECT_EQ(FunctionTable::Find(u"pause"), nullptr) << "names match exactly";
}

}  // namespace
}  // namespace n240qx
