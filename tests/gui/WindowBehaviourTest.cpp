#include <gtest/gtest.h>

#include <QTest>
#include <fstream>

#include "WindowTestSupport.h"
#include "keys/KeyTable.h"
#include "lighting/EffectTable.h"

namespace n240qx::testing {
namespace {

constexpr QPoint kEffectName(100, 165);
constexpr int kFirstProfileRow = 11;

QPoint KeyCentre(const char* label) {
  const KeyTableRow& key = *KeyTable::ByLabel(label);
  return QRect(QPoint(key.rect.left + 301, key.rect.top + 95),
               QPoint(key.rect.right + 301, key.rect.bottom + 95))
      .center();
}

class WindowBehaviour : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.StartAndWait()); }
  bool SpeedSliderShown() { return !window.window().slider(SliderId::kSpeed).isHidden(); }

  WindowUnderTest window;
};

TEST_F(WindowBehaviour, AnEffectChangedOnTheKeyboardShowsOrHidesTheSpeedSliderAtOnce) {
  EXPECT_FALSE(window.window().repaint_ticking()) << "nothing ticks at rest";
  struct Step {
    std::uint8_t effect;
    bool speed_shown;
  };
  for (const Step step : {Step{EffectTable::kStatic, false}, Step{EffectTable::kWave, true},
                          Step{EffectTable::kFirstProfile, false}, Step{2, true}}) {
    window.keyboard().SendLightingChange(2, step.effect);
    ASSERT_TRUE(WaitFor([&] { return window.state().image().light_effect() == step.effect; }));
    EXPECT_EQ(SpeedSliderShown(), step.speed_shown) << "effect " << int(step.effect);
    // The countdown paints its four ticks and the timer stops again.
    EXPECT_TRUE(WaitFor([&] { return !window.window().repaint_ticking(); }));
    EXPECT_FALSE(window.state().repaint().repaint_pending());
  }
}

TEST_F(WindowBehaviour, ACtrlReleasedInAnotherWindowDoesNotStick) {
  window.Click(kEffectName.x(), kEffectName.y());
  window.Click(100, 173 + 20 * kFirstProfileRow + 10);
  ASSERT_TRUE(window.window().lighting_page().per_key_mode());
  int asked = 0;
  window.colour_dialog = [&](RgbColour&) {
    ++asked;
    return false;
  };
  // The press reached the window; the release went to another one.
  QTest::keyPress(&window.window(), Qt::Key_Control);
  QTest::mouseClick(&window.window(), Qt::LeftButton, Qt::NoModifier, KeyCentre("Q"));
  EXPECT_EQ(asked, 1) << "a plain click colours the key at once";
  QTest::mouseClick(&window.window(), Qt::LeftButton, Qt::ControlModifier, KeyCentre("W"));
  EXPECT_EQ(asked, 1) << "a Ctrl-click only selects";
}

TEST(WindowBehaviourAtStartUp, TheFirmwarePromptComesAfterTheBusyStateEnded) {
  QTemporaryDir share;
  PlainSkins::WriteTo(share.path());
  // A shipped version newer than the keyboard's: the read that follows start-up asks.
  std::ofstream(share.filePath("VER.bin").toStdString(), std::ios::binary) << "N240_9.9_XXX";
  WindowUnderTest window(share.path());
  window.keyboard().SetFirmwareVersion(1, 0);
  bool busy_behind = true;
  bool sliders_enabled = false;
  QString title_behind;
  window.confirm_answer = false;
  window.while_confirming = [&] {
    busy_behind = window.window().busy();
    sliders_enabled = window.window().slider(SliderId::kBrightness).isEnabled();
    title_behind = window.window().windowTitle();
  };
  ASSERT_TRUE(window.StartAndWait());
  ASSERT_TRUE(WaitFor([&] { return window.confirm_count > 0; }));
  EXPECT_FALSE(busy_behind);
  EXPECT_TRUE(sliders_enabled);
  EXPECT_EQ(title_behind, "BRAXLEN ZELKA KEYBOARD N240QX") << "no busy note in the title";
}

TEST(WindowBehaviourOnArrival, AKeyboardPluggedInNeverShowsAHiddenWindow) {
  WindowUnderTest window(QString(), WindowUnderTest::Keyboard::kHardwareAbsentWithFallback);
  ASSERT_TRUE(window.StartAndWait());
  window.window().hide();
  window.keyboard().Replug();
  ASSERT_TRUE(
      WaitFor([&] { return !window.window().simulated() && window.state().firmware().has_value(); },
              15000));
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_FALSE(window.window().isVisible());
}

}  // namespace
}  // namespace n240qx::testing
