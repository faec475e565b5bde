#include <gtest/gtest.h>

#include <set>

#include "keys/KeyNameTable.h"
#include "keys/KeyTable.h"
#include "keys/XKeycodeTable.h"

namespace n240qx {
namespace {

std::set<int> MappedVirtualKeys() {
  std::set<int> mapped;
  for (unsigned keycode = 0; keycode < 300; ++keycode) {
    if (const auto vk = XKeycodeTable::VirtualKeyOf(keycode); vk != 0) {
      mapped.insert(vk);
    }
  }
  return mapped;
}

TEST(XKeycodeTable, EveryKeyOfTheKeyTableIsReachable) {
  const std::set<int> mapped = MappedVirtualKeys();
  for (const auto& row : KeyTable::Rows()) {
    EXPECT_EQ(mapped.count(row.vk), 1u) << "key " << int(row.index) << " vk " << int(row.vk);
  }
}

TEST(XKeycodeTable, EveryCodeItGivesIsNamedUnlessItIsABrowserOrLaunchKey) {
  const KeyNameTable names = BuildKeyNameTable();
  // Keys a keyboard may send that the name table does not name: the ISO key, browser,
  // mail, computer, sleep, mute and track keys.
  const std::set<int> unnamed = {0xE2, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC,
                                 0xAD, 0xB0, 0xB1, 0xB2, 0xB4, 0xB6, 0x5F};
  for (const int vk : MappedVirtualKeys()) {
    EXPECT_EQ(names.KeyNameOf(static_cast<std::uint8_t>(vk)).empty(), unnamed.count(vk) == 1)
        << "vk " << vk;
  }
}

TEST(XKeycodeTable, CodesArePositional) {
  struct Case {
    unsigned keycode;
    int vk;
  };
  const Case cases[] = {
      {24, 'Q'},   {38, 'A'},   {52, 'Z'},   {19, '0'},   {10, '1'},   {9, 0x1B},   {36, 0x0D},
      {104, 0x6C}, {37, 0xA2},  {105, 0xA3}, {64, 0xA4},  {108, 0xA5}, {50, 0xA0},  {62, 0xA1},
      {119, 0x2E}, {118, 0x2D}, {135, 0x5D}, {133, 0x5B}, {94, 0xE2},  {179, 0xB5}, {172, 0xB3},
      {123, 0xAF}, {122, 0xAE}, {90, 0x60},  {91, 0x6E},  {106, 0x6F}, {63, 0x6A},  {82, 0x6D},
      {86, 0x6B},  {77, 0x90},  {107, 0x2C}, {78, 0x91},  {127, 0x13}, {76, 0x79},  {96, 0x7B},
      {49, 0xC0},  {0, 0},      {8, 0},      {255, 0},    {4000, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(XKeycodeTable::VirtualKeyOf(c.keycode), c.vk) << "keycode " << c.keycode;
  }
}

}  // namespace
}  // namespace n240qx
