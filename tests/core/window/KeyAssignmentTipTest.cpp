#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "image/ImageField.h"
#include "keys/FactoryKeyMap.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyTable.h"
#include "window/KeyAssignmentTip.h"
#include "window/KeyboardView.h"
#include "window/KeyboardViewGeometry.h"

namespace n240qx {
namespace {

constexpr std::size_t kQ = 42;

// A factory keyboard with one stored macro; Q's entry as each case sets it.
struct Keyboard {
  Keyboard() {
    const auto factory = FactoryKeyMap();
    std::ranges::copy(factory, image.key_map().begin());
    std::ranges::fill(image.key_enable_mask(), std::uint8_t{0xFF});
    RestoreKeyActionKeys(actions);
    EXPECT_TRUE(macros.entry(0).SetName(u"Hello").ok());
  }
  void MapQ(std::array<std::uint8_t, 4> bytes, std::uint8_t kind = 0, std::u16string path = {}) {
    std::ranges::copy(bytes, image.Field(image_field::KeyMapEntry(*KeyTable::SlotOf(kQ))).begin());
    actions[kQ].kind = kind;
    actions[kQ].SetPath(path);
  }

  ConfigImage image;
  KeyActionTable actions;
  KeyNameTable names = BuildKeyNameTable();
  MacroStore macros;
};

class KeyAssignmentTipTest : public ::testing::Test, public Keyboard {};

TEST_F(KeyAssignmentTipTest, SaysWhatTheKeyDoesInTheWindowsLanguage) {
  const struct {
    const char* label;
    std::function<void(Keyboard&)> set;
    std::string english;
    std::string german;
  } cases[] = {
      {"factory", [](Keyboard&) {}, "Q: Q", "Q: Q"},
      {"LCtrl + C",
       [](Keyboard& t) {
         t.MapQ({0x00, 0xE0, 0x06, 0x00}, 1);
       },
       "Q: LCtrl + C", "Q: LCtrl + C"},
      {"nothing",
       [](Keyboard& t) {
         t.MapQ({0x00, 0x00, 0x00, 0x00});
       },
       "Q: nothing", "Q: nichts"},
      {"macro",
       [](Keyboard& t) {
         t.MapQ({KeyMapEntry::kMacro, 0x01, 0x00, 0x00}, 2);
       },
       "Q: Macro 0 Hello", "Q: Makro 0 Hello"},
      {"folder",
       [](Keyboard& t) {
         t.MapQ({KeyMapEntry::kHostLaunch, 0x00, 0x00, 0x00}, 7, u"/home/me");
       },
       "Q: Open folder /home/me", "Q: Ordner \u00F6ffnen /home/me"},
      {"profile",
       [](Keyboard& t) {
         t.MapQ({KeyMapEntry::kHostLaunch, 0x00, 0x00, 0x00}, 6, u"n240qx:profile/Race");
       },
       "Q: Profile: Race", "Q: Profil: Race"},
      {"next profile",
       [](Keyboard& t) {
         t.MapQ({KeyMapEntry::kHostLaunch, 0x00, 0x00, 0x00}, 6, u"n240qx:next-profile");
       },
       "Q: Next profile", "Q: N\u00E4chstes Profil"},
      {"an action of a later version",
       [](Keyboard& t) {
         t.MapQ({KeyMapEntry::kHostLaunch, 0x00, 0x00, 0x00}, 6, u"n240qx:dim");
       },
       "Q: Open file n240qx:dim", "Q: Datei \u00F6ffnen n240qx:dim"},
      {"disabled", [](Keyboard& t) { t.image.SetKeyEnabled(*KeyTable::SlotOf(kQ), false); },
       "Q: disabled", "Q: deaktiviert"},
  };
  for (const auto& c : cases) {
    Keyboard fresh;
    c.set(fresh);
    const KeyAssignmentTip::Sources sources{fresh.image, fresh.actions, fresh.names, fresh.macros};
    EXPECT_EQ(KeyAssignmentTip::For(kQ, sources, Language::kEnglish), c.english) << c.label;
    EXPECT_EQ(KeyAssignmentTip::For(kQ, sources, Language::kGerman), c.german) << c.label;
  }
}

// Only Keymap mode tells assignments: in per-key mode a click colours the key.
TEST_F(KeyAssignmentTipTest, TheViewNamesTheKeyUnderThePointerInKeymapModeOnly) {
  std::uint32_t shared = 0;
  LightingPage page{image, shared, [] { return false; }};
  CustomisedKeyFlags customised;
  KeyboardView view{image, page, customised};
  const auto rect = *KeyboardViewGeometry::WindowRect(kQ);
  const int x = (rect.left + rect.right) / 2;
  const int y = (rect.top + rect.bottom) / 2;
  EXPECT_EQ(view.TipKeyAt(x, y), kQ);
  EXPECT_EQ(view.TipKeyAt(5, 5), std::nullopt);
  page.SetPerKeyMode(true);
  EXPECT_EQ(view.TipKeyAt(x, y), std::nullopt);
}

}  // namespace
}  // namespace n240qx
