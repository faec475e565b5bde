#include <gtest/gtest.h>

#include "lighting/KeyboardLightingChange.h"
#include "lighting/LightingPage.h"
#include "lighting/RepaintCountdown.h"

namespace n240qx {
namespace {

TEST(RepaintCountdown, RepaintsOnTheNextFourTicksThenStops) {
  RepaintCountdown countdown;
  EXPECT_FALSE(countdown.Tick());
  countdown.Start();
  int repaints = 0;
  for (int tick = 0; tick < 10; ++tick) {
    repaints += countdown.Tick() ? 1 : 0;
  }
  EXPECT_EQ(repaints, 4);
  EXPECT_FALSE(countdown.repaint_pending());
}

TEST(RepaintCountdown, ARestartDuringTheCountdownBeginsAgain) {
  RepaintCountdown countdown;
  countdown.Start();
  countdown.Tick();
  countdown.Tick();
  countdown.Start();
  int repaints = 0;
  while (countdown.Tick()) {
    ++repaints;
  }
  EXPECT_EQ(repaints, 4);
}

TEST(KeyboardLightingChange, BrightnessGoesIntoBothBlocksMovesTheSliderAndRepaints) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  RepaintCountdown countdown;
  const auto move = KeyboardLightingChange::Apply(4, 33, image, snapshot, countdown);
  EXPECT_EQ(image.brightness(), 33);
  EXPECT_EQ(snapshot.brightness(), 33);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(*move, (SliderMove{SliderId::kBrightness, 33}));
  int repaints = 0;
  while (countdown.Tick()) {
    ++repaints;
  }
  EXPECT_EQ(repaints, 4);
}

TEST(KeyboardLightingChange, SpeedIsTenMinusTheReportedValue) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  RepaintCountdown countdown;
  auto move = KeyboardLightingChange::Apply(3, 10, image, snapshot, countdown);
  EXPECT_EQ(image.effect_speed(), 0) << "a report of 10 is the slow end";
  EXPECT_EQ(move->position, 0);
  move = KeyboardLightingChange::Apply(3, 1, image, snapshot, countdown);
  EXPECT_EQ(snapshot.effect_speed(), 9);
  EXPECT_EQ(move->id, SliderId::kSpeed);
  // Values the keyboard should never send stay on the slider instead of wrapping to 255.
  KeyboardLightingChange::Apply(3, 0, image, snapshot, countdown);
  EXPECT_EQ(image.effect_speed(), 9);
  KeyboardLightingChange::Apply(3, 200, image, snapshot, countdown);
  EXPECT_EQ(image.effect_speed(), 0);
}

TEST(KeyboardLightingChange, OtherFieldsHaveNoSlider) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  RepaintCountdown countdown;
  EXPECT_FALSE(KeyboardLightingChange::Apply(2, 51, image, snapshot, countdown).has_value());
  EXPECT_FALSE(KeyboardLightingChange::Apply(5, 8, image, snapshot, countdown).has_value());
  EXPECT_FALSE(KeyboardLightingChange::Apply(6, 4, image, snapshot, countdown).has_value());
  EXPECT_EQ(image.light_effect(), 51);
  EXPECT_EQ(snapshot.light_effect(), 51);
  EXPECT_EQ(image.colour_choice(), 8);
  EXPECT_EQ(snapshot.light_direction(), 4);
  EXPECT_TRUE(countdown.repaint_pending());
}

TEST(KeyboardLightingChange, UnknownSubCodeChangesNothingButStillRepaints) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  RepaintCountdown countdown;
  EXPECT_FALSE(KeyboardLightingChange::Apply(9, 7, image, snapshot, countdown).has_value());
  EXPECT_EQ(image.bytes(), ConfigImage().bytes());
  EXPECT_EQ(snapshot.bytes(), DeviceSnapshot().bytes());
  EXPECT_TRUE(countdown.repaint_pending());
}

}  // namespace
}  // namespace n240qx
