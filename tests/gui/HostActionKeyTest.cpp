#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "app/ProfileLibrary.h"
#include "config/ProfileJson.h"
#include "keys/HostAction.h"
#include "keys/KeyTable.h"

namespace n240qx::testing {
namespace {

constexpr std::uint8_t kF9 = 0x78;

// A key carrying "next profile" on the simulated keyboard, and two library profiles that differ
// from the keyboard in brightness; each carries the key too, so it keeps working after a switch.
class HostActionKey : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.StartAndWait());
    ConfiguratorState& state = window.state();
    KeyActionEntry& entry = state.KeyActionsForEditing()[KeyTable::ByVirtualKey(kF9)->index];
    entry.kind = static_cast<std::uint8_t>(HostAction::kStoredKind);
    entry.SetPath(HostAction{HostActionKind::kNextProfile, ""}.Path());
    // Held as applied: the window has nothing unapplied to refuse over.
    state.CopyToSnapshots();
    const std::uint8_t now = window.keyboard().Memory().brightness;
    brightness = {static_cast<std::uint8_t>((now + 10) % 50),
                  static_cast<std::uint8_t>((now + 20) % 50)};
    const ProfileLibrary library(window.DataFolder() / "profiles");
    for (std::size_t i = 0; i < names.size(); ++i) {
      ConfigImage image = state.image();
      image.brightness() = brightness[i];
      const auto text = profile_json::ToText(
          {image, state.key_actions(), state.stored_macros(), state.key_names(), state.firmware()});
      ASSERT_TRUE(library.Save(names[i], text).ok());
    }
  }

  // The press, and the keyboard's brightness once the write it starts has ended.
  bool PressReaches(std::uint8_t expected) {
    window.keyboard().SendLaunchKey(kF9);
    return WaitFor([&] {
      return !window.window().busy() && window.keyboard().Memory().brightness == expected;
    });
  }

  WindowUnderTest window;
  const std::array<std::string, 2> names = {"desk", "game"};
  std::array<std::uint8_t, 2> brightness{};
};

TEST_F(HostActionKey, NextProfileGoesRoundTheLibraryOnTheKeyboard) {
  ASSERT_TRUE(PressReaches(brightness[0])) << "none applied yet: the first";
  EXPECT_EQ(window.window().success(), "Applied by the profile key: desk");
  ASSERT_TRUE(PressReaches(brightness[1]));
  ASSERT_TRUE(PressReaches(brightness[0])) << "round from the last to the first";
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
}

TEST_F(HostActionKey, UnappliedEditsHoldTheSwitchAndTheStatusLineSaysWhy) {
  const std::uint8_t before = window.keyboard().Memory().brightness;
  window.state().ImageForEditing().game_mode() ^= 1;
  window.keyboard().SendLaunchKey(kF9);
  ASSERT_TRUE(WaitFor([&] { return !window.window().failure().empty(); }));
  EXPECT_EQ(window.window().failure(),
            "Profile key not carried out: apply or undo your changes first");
  EXPECT_FALSE(window.window().busy());
  EXPECT_EQ(window.keyboard().Memory().brightness, before);
}

}  // namespace
}  // namespace n240qx::testing
