#include "image/KeyboardLightingValue.h"

#include <algorithm>

namespace n240qx {

namespace {
constexpr int kSpeedMax = 9;
}  // namespace

std::uint8_t KeyboardLightingValue::SpeedFromDevice(std::uint8_t value) {
  return static_cast<std::uint8_t>(std::clamp(10 - int{value}, 0, kSpeedMax));
}

bool KeyboardLightingValue::Store(std::uint8_t sub_code, std::uint8_t value, ImageBlock& block) {
  switch (sub_code) {
    case kEffect:
      block.light_effect() = value;
      return true;
    case kSpeed:
      block.effect_speed() = SpeedFromDevice(value);
      return true;
    case kBrightness:
      block.brightness() = value;
      return true;
    case kColourChoice:
      block.colour_choice() = value;
      return true;
    case kDirection:
      block.light_direction() = value;
      return true;
    default:
      return false;
  }
}

}  // namespace n240qx
