#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "image/ImageField.h"
#include "keys/FactoryKeyMap.h"
#include "keys/HostActionKeys.h"
#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"

namespace n240qx {
namespace {

constexpr auto kOpenFile = static_cast<std::uint8_t>(AssignmentKind::kOpenFile);

// Every key at the keyboard's defaults, as a profile that assigns nothing holds them.
void Plain(ConfigImage& image, KeyActionTable& actions) {
  ResetKeySettings(image, actions);
  const auto factory = FactoryKeyMap();
  std::ranges::copy(factory, image.key_map().begin());
}

void GiveLaunch(ConfigImage& image, KeyActionEntry& action, const KeyTableRow& row,
                std::u16string_view path) {
  action.kind = kOpenFile;
  action.SetPath(path);
  const std::uint8_t entry[] = {0x0A, 0x00, row.vk, 0x00};
  std::ranges::copy(entry, image.Field(image_field::KeyMapEntry(row.slot)).begin());
}

using Change = std::function<void(ConfigImage&, KeyActionEntry&, const KeyTableRow&)>;

TEST(HostActionKeys, AKeyTheProfileLeavesUntouchedKeepsItsHostAction) {
  const struct {
    const char* what;
    std::u16string_view before;  // the key's launch path before the load
    Change incoming;             // what the loaded profile does to the key
    bool kept;
  } cases[] = {
      {"untouched", u"n240qx:next-profile", [](auto&, auto&, auto&) {}, true},
      {"untouched, a profile key", u"n240qx:profile/desk", [](auto&, auto&, auto&) {}, true},
      {"assigned another key", u"n240qx:next-profile",
       [](ConfigImage&, KeyActionEntry& action, const KeyTableRow&) {
         action.count = 1;
         action.data[0] = 0x41;
       },
       false},
      {"disabled", u"n240qx:lights-toggle",
       [](ConfigImage& image, KeyActionEntry&, const KeyTableRow& row) {
         image.SetKeyEnabled(row.slot, false);
       },
       false},
      {"given a launch of its own", u"n240qx:next-profile",
       [](ConfigImage& image, KeyActionEntry& action, const KeyTableRow& row) {
         GiveLaunch(image, action, row, u"/usr/bin/xterm");
       },
       false},
      {"a file launch before", u"/usr/bin/xterm", [](auto&, auto&, auto&) {}, false},
  };
  const KeyTableRow& row = *KeyTable::ByLabel("F9");
  for (const auto& c : cases) {
    ConfigImage image_before;
    KeyActionTable actions_before;
    Plain(image_before, actions_before);
    GiveLaunch(image_before, actions_before[row.index], row, c.before);
    ConfigImage image;
    KeyActionTable actions;
    Plain(image, actions);
    c.incoming(image, actions[row.index], row);
    const ConfigImage loaded = image;
    const KeyActionEntry loaded_action = actions[row.index];

    KeepHostActionKeys(image_before, actions_before, image, actions);
    const ImageField entry = image_field::KeyMapEntry(row.slot);
    const auto& expected_image = c.kept ? image_before : loaded;
    EXPECT_TRUE(image.FieldEquals(expected_image, entry)) << c.what;
    EXPECT_EQ(actions[row.index], c.kept ? actions_before[row.index] : loaded_action) << c.what;
    EXPECT_EQ(image.KeyEnabled(row.slot), loaded.KeyEnabled(row.slot)) << c.what;
  }
}

}  // namespace
}  // namespace n240qx
