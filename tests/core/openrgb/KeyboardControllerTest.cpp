#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "keys/KeyTable.h"
#include "openrgb/KeyboardController.h"

namespace n240qx {
namespace {

namespace field = image_field;

TEST(KeyboardControllerTest, OneMatrixZoneHoldsEveryDrawnKeyOnceAsTheDrawingPlacesIt) {
  const KeyboardController keyboard;
  ConfigImage image;
  const SdkController controller = keyboard.Describe(image, "1.4", "sim");
  ASSERT_EQ(controller.zones.size(), 1u);
  const SdkZone& zone = controller.zones[0];
  EXPECT_EQ(controller.leds.size(), zone.leds_count);
  EXPECT_EQ(controller.colours.size(), controller.leds.size());
  EXPECT_EQ(zone.matrix_height, 6u);
  std::multiset<std::uint32_t> placed(zone.matrix.begin(), zone.matrix.end());
  std::set<std::string> names;
  for (std::uint32_t led = 0; led < controller.leds.size(); ++led) {
    EXPECT_EQ(placed.count(led), 1u) << controller.leds[led].name;
    names.insert(controller.leds[led].name);
    EXPECT_FALSE(KeyTable::ByIndex(controller.leds[led].value)->rect.Empty());
  }
  EXPECT_EQ(names.size(), controller.leds.size()) << "every LED has a name of its own";
  // Esc opens the top row and the F keys follow it left to right.
  EXPECT_EQ(controller.leds[zone.matrix[0]].name, "Esc");
  const auto column_of = [&](std::uint32_t led) {
    return std::ranges::find(zone.matrix, led) - zone.matrix.begin();
  };
  EXPECT_LT(column_of(1), column_of(2));
  EXPECT_EQ(controller.version, "1.4");
}

TEST(KeyboardControllerTest, ModesAreTheEffectsWithTheirControlsThenCustom) {
  const KeyboardController keyboard;
  ConfigImage image;
  image.light_effect() = 3;  // Wave
  image.effect_speed() = 6;
  image.Field(field::ColourSlot(2))[1] = 0x80;
  const SdkController controller = keyboard.Describe(image, "", "");
  ASSERT_EQ(controller.modes.size(), keyboard.custom_mode_index() + 1);
  const SdkMode& active = controller.modes[static_cast<std::size_t>(controller.active_mode)];
  EXPECT_EQ(active.name, "Wave");
  EXPECT_EQ(active.speed, 6u);
  EXPECT_TRUE(active.flags & sdk::kModeHasDirectionLr);
  EXPECT_EQ(active.colour_mode, sdk::kColourModeRandom);
  const SdkMode& fixed = controller.modes[0];
  EXPECT_EQ(fixed.name, "Static");
  EXPECT_FALSE(fixed.flags & sdk::kModeHasSpeed);
  ASSERT_EQ(fixed.colours.size(), field::kColourSlotCount);
  EXPECT_EQ(fixed.colours[2].green, 0x80);
  const SdkMode& custom = controller.modes.back();
  EXPECT_EQ(custom.name, "Custom");
  EXPECT_EQ(custom.colour_mode, sdk::kColourModePerLed);
}

struct ModeCase {
  std::size_t index;
  SdkMode asked;
  std::uint8_t effect, speed, brightness, direction;
};

TEST(KeyboardControllerTest, SetModeWritesWhatTheKeyboardTakesHeldToItsRanges) {
  const KeyboardController keyboard;
  const std::size_t custom = keyboard.custom_mode_index();
  const ModeCase cases[] = {
      {2, {.speed = 3, .brightness = 40, .direction = sdk::kDirectionUp}, 3, 3, 40, 3},
      {2, {.speed = 99, .brightness = 99, .direction = 17}, 3, 9, 50, 1},
      {0, {.speed = 5, .brightness = 10, .direction = sdk::kDirectionDown}, 1, 0, 10, 1},
      {custom, {.brightness = 7}, 51, 0, 7, 1},
  };
  for (const ModeCase& c : cases) {
    ConfigImage image;
    image.light_direction() = 1;
    ASSERT_TRUE(keyboard.SetMode(image, c.index, c.asked)) << c.index;
    EXPECT_EQ(image.light_effect(), c.effect);
    EXPECT_EQ(image.effect_speed(), c.speed);
    EXPECT_EQ(image.brightness(), c.brightness);
    EXPECT_EQ(image.light_direction(), c.direction);
  }
  ConfigImage image;
  EXPECT_FALSE(keyboard.SetMode(image, custom + 1, {}));
}

TEST(KeyboardControllerTest, LedColoursFillTheCustomTableAndRefuseTooMany) {
  const KeyboardController keyboard;
  ConfigImage image;
  image.light_effect() = 53;
  const std::vector<RgbColour> all(keyboard.led_count(), RgbColour{9, 8, 7});
  ASSERT_TRUE(keyboard.SetLedColours(image, 0, all));
  EXPECT_EQ(keyboard.LedColours(image), all);
  const auto esc = 4 * std::size_t{*KeyTable::SlotOf(0)};
  EXPECT_EQ(image.Field(field::ColourTable(2))[esc + 1], 9) << "the table of the shown profile";
  EXPECT_EQ(image.Field(field::ColourTable(0))[esc + 1], 0);
  EXPECT_FALSE(keyboard.SetLedColours(image, 1, all));
  EXPECT_TRUE(keyboard.SetLedColours(image, keyboard.led_count(), {}));
}

}  // namespace
}  // namespace n240qx
