#include "lighting/KeyboardLightingChange.h"

#include <algorithm>

#include "lighting/LightingPage.h"

namespace n240qx {

namespace {
constexpr int kSpeedMax = 9;
constexpr int kBrightnessMax = 50;
}  // namespace

std::uint8_t KeyboardLightingChange::SpeedFromDevice(std::uint8_t value) {
  return static_cast<std::uint8_t>(std::clamp(10 - int{value}, 0, kSpeedMax));
}

std::optional<SliderMove> KeyboardLightingChange::Apply(std::uint8_t sub_code, std::uint8_t value,
                                                        ConfigImage& image,
                                                        DeviceSnapshot& snapshot,
                                                        RepaintCountdown& countdown) {
  std::optional<SliderMove> move;
  switch (sub_code) {
    case kEffect:
      image.light_effect() = snapshot.light_effect() = value;
      break;
    case kSpeed: {
      const std::uint8_t speed = SpeedFromDevice(value);
      image.effect_speed() = snapshot.effect_speed() = speed;
      move = SliderMove{LightingPage::kSpeedSliderId, speed};
      break;
    }
    case kBrightness:
      image.brightness() = snapshot.brightness() = value;
      move = SliderMove{LightingPage::kBrightnessSliderId, std::min<int>(value, kBrightnessMax)};
      break;
    case kColourChoice:
      image.colour_choice() = snapshot.colour_choice() = value;
      break;
    case kDirection:
      image.light_direction() = snapshot.light_direction() = value;
      break;
    default:
      break;
  }
  countdown.Start();
  return move;
}

}  // namespace n240qx
