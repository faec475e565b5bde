#include <gtest/gtest.h>

#include <set>

#include "keys/FactoryKeyMap.h"
#include "keys/KeyIndex.h"
#include "keys/KeyTable.h"
#include "support/Hex.h"

namespace n240qx {
namespace {

using testing::Hex;

TEST(KeyTable, SlotsAreUniqueAndTwentySlotsAreUnused) {
  std::set<int> slots;
  for (const auto& row : KeyTable::Rows()) {
    EXPECT_LT(row.slot, 128);
    EXPECT_TRUE(slots.insert(row.slot).second) << "slot " << int(row.slot) << " twice";
  }
  const std::set<int> unused = {18, 24, 36, 42, 48,  67,  72,  74,  79,  85,
                                86, 92, 97, 98, 107, 108, 121, 123, 126, 127};
  for (int slot = 0; slot < 128; ++slot) {
    EXPECT_EQ(slots.count(slot) == 0, unused.count(slot) == 1) << "slot " << slot;
    EXPECT_EQ(KeyTable::BySlot(slot) == nullptr, unused.count(slot) == 1) << "slot " << slot;
  }
}

TEST(KeyTable, FnAndAppShareACodeAndTheFirstMatchIsFn) {
  ASSERT_NE(KeyTable::ByVirtualKey(0x5D), nullptr);
  EXPECT_EQ(KeyTable::ByVirtualKey(0x5D)->index, 100);
  EXPECT_EQ(KeyTable::ByVirtualKey(0x5D)->label, "Fn");
  EXPECT_EQ(KeyTable::SlotOf(100), 60);
  EXPECT_EQ(KeyTable::SlotOf(101), 66);
  EXPECT_EQ(KeyTable::ByIndex(101)->label, "App");
}

TEST(KeyTable, MediaKeysHaveCodesAndSlotsButNoDrawing) {
  const std::pair<int, int> expected[] = {{0xB5, 113}, {0xB3, 119}, {0xAF, 125}};
  for (int i = 0; i < 3; ++i) {
    const auto* row = KeyTable::ByIndex(17 + i);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->rect.Empty());
    EXPECT_TRUE(row->label.empty());
    EXPECT_EQ(row->vk, expected[i].first);
    EXPECT_EQ(row->slot, expected[i].second);
  }
  EXPECT_EQ(KeyTable::ByIndex(16)->label, "|");
  EXPECT_EQ(KeyTable::ByIndex(16)->vk, 0xE2);
}

TEST(KeyTable, LookupsOutsideTheTable) {
  EXPECT_EQ(KeyTable::ByIndex(108), nullptr);
  EXPECT_FALSE(KeyTable::SlotOf(200).has_value());
  EXPECT_FALSE(KeyTable::VirtualKeyOf(108).has_value());
  EXPECT_EQ(KeyTable::ByVirtualKey(0x0C), nullptr);
  EXPECT_EQ(KeyTable::ByLabel(""), nullptr) << "the undrawn keys have no label to find";
  EXPECT_EQ(KeyTable::ByLabel("Shift")->index, 78);
  EXPECT_EQ(KeyTable::ByLabel("Caps Lock")->slot, 2);
  EXPECT_EQ(KeyTable::ByLabel("\\")->vk, 0xDC);
}

TEST(KeyTable, RectanglesIncludeBothEdges) {
  const auto& esc = *KeyTable::ByIndex(0);
  EXPECT_EQ(esc.label_at.x, 55);
  EXPECT_TRUE(esc.rect.Contains(44, 106));
  EXPECT_TRUE(esc.rect.Contains(68, 130));
  EXPECT_FALSE(esc.rect.Contains(69, 130));
  const auto& space = *KeyTable::ByIndex(98);
  EXPECT_EQ(space.rect.right - space.rect.left, 155);
}

std::string EntryHex(const std::array<std::uint8_t, 512>& map, int slot) {
  return Hex(std::span<const std::uint8_t>(map).subspan(4 * slot, 4));
}

TEST(FactoryKeyMap, ExceptionsAndPlainDefaults) {
  const auto map = FactoryKeyMap();
  EXPECT_EQ(EntryHex(map, 5), "00 00 29 00") << "Esc";
  EXPECT_EQ(EntryHex(map, 0), "00 00 E0 00") << "left Ctrl";
  EXPECT_EQ(EntryHex(map, 64), "00 00 27 00") << "zero key";
  EXPECT_EQ(EntryHex(map, 120), "00 00 58 00") << "keypad Enter";
  EXPECT_EQ(EntryHex(map, 66), "00 00 65 00") << "App";
  EXPECT_EQ(EntryHex(map, 11), "00 00 64 00") << "key 16";
  EXPECT_EQ(EntryHex(map, 60), "02 00 00 00") << "Fn";
  EXPECT_EQ(EntryHex(map, 113), "03 00 83 01");
  EXPECT_EQ(EntryHex(map, 119), "03 00 CD 00");
  EXPECT_EQ(EntryHex(map, 125), "03 00 E9 00");
  EXPECT_EQ(EntryHex(map, 18), "00 00 91 00");
  EXPECT_EQ(EntryHex(map, 48), "00 00 90 00");
  EXPECT_EQ(EntryHex(map, 79), "00 00 32 00");
  EXPECT_EQ(EntryHex(map, 107), "03 00 EA 00");
  EXPECT_EQ(EntryHex(map, 126), "00 E0 00 00");
  EXPECT_EQ(EntryHex(map, 127), "00 E1 00 00");
  for (int slot : {24, 36, 42, 67, 72, 74, 85, 86, 92, 97, 98, 108, 121, 123}) {
    EXPECT_EQ(EntryHex(map, slot), "00 00 00 00") << "slot " << slot;
  }
  EXPECT_EQ(FactoryKeyMapEntry(60), (KeyMapEntry{0x02, 0, 0, 0}));
  EXPECT_EQ(FactoryKeyMapEntry(128), KeyMapEntry{});
}

TEST(FactoryKeyMap, EveryDrawnKeyOtherThanFnHasAPlainKeyEntry) {
  const auto map = FactoryKeyMap();
  for (const auto& row : KeyTable::Rows()) {
    if (row.index == 100 || (row.index >= 17 && row.index <= 19)) {
      continue;
    }
    EXPECT_EQ(map[4 * row.slot], 0x00) << "key " << int(row.index);
    EXPECT_NE(map[4 * row.slot + 2], 0x00) << "key " << int(row.index) << " has no code";
  }
}

}  // namespace
}  // namespace n240qx

namespace n240qx {
namespace {

// The indexes other code names must be the keys the table draws there (by virtual-key code,
// since labels repeat).
TEST(KeyTable, NamedIndexesAreTheirKeys) {
  const struct {
    std::size_t index;
    std::uint8_t vk;
  } named[] = {{key_index::kLeftCtrl, 0xA2},
               {key_index::kLeftWindows, 0x5B},
               {key_index::kFn, 0x5D},
               {key_index::kRightCtrl, 0xA3}};
  for (const auto& key : named) {
    ASSERT_NE(KeyTable::ByIndex(key.index), nullptr);
    EXPECT_EQ(KeyTable::ByIndex(key.index)->vk, key.vk) << key.index;
  }
  EXPECT_EQ(KeyTable::ByIndex(key_index::kFn)->label, "Fn");
  for (std::size_t index = key_index::kFirstHidden; index <= key_index::kLastHidden; ++index) {
    EXPECT_TRUE(KeyTable::ByIndex(index)->rect.Empty()) << index;
  }
}

}  // namespace
}  // namespace n240qx
