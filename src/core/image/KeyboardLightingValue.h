#pragma once

#include <cstdint>

#include "image/ImageBlock.h"

namespace n240qx {

// The lighting field an event report of kind 1 names by its sub-code (2 effect, 3 speed,
// 4 brightness, 5 colour choice, 6 direction).
class KeyboardLightingValue {
 public:
  static constexpr std::uint8_t kEffect = 2;
  static constexpr std::uint8_t kSpeed = 3;
  static constexpr std::uint8_t kBrightness = 4;
  static constexpr std::uint8_t kColourChoice = 5;
  static constexpr std::uint8_t kDirection = 6;

  // Stores the value as the image holds it; false for a sub-code that names no field.
  static bool Store(std::uint8_t sub_code, std::uint8_t value, ImageBlock& block);
  // Slider position for a speed value as the keyboard sends it: 10 gives 0, 1 gives 9; a value
  // outside 1..10 is held to the slider's ends rather than wrapping.
  static std::uint8_t SpeedFromDevice(std::uint8_t value);
};

}  // namespace n240qx
