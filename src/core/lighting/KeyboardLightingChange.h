#pragma once

#include <cstdint>
#include <optional>

#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"
#include "image/KeyboardLightingValue.h"
#include "lighting/RepaintCountdown.h"
#include "paint/SliderId.h"

namespace n240qx {

// A slider the window is to move after a lighting change made on the keyboard.
struct SliderMove {
  SliderId id;
  int position;
  bool operator==(const SliderMove&) const = default;
};

// A lighting change the keyboard reported (event kind 1): the field named by the sub-code takes
// the value in both image and snapshot, so the change is not sent back at the next Apply.
class KeyboardLightingChange {
 public:
  static constexpr std::uint8_t kEffect = KeyboardLightingValue::kEffect;
  static constexpr std::uint8_t kSpeed = KeyboardLightingValue::kSpeed;
  static constexpr std::uint8_t kBrightness = KeyboardLightingValue::kBrightness;
  static constexpr std::uint8_t kColourChoice = KeyboardLightingValue::kColourChoice;
  static constexpr std::uint8_t kDirection = KeyboardLightingValue::kDirection;

  // Stores the value, starts the repaint countdown (for every sub-code, known or not) and
  // returns the slider to move, if the field has one. The keyboard sends the speed as 10 - the
  // slider position; a value outside 1..10 is held to the slider's ends rather than wrapping.
  static std::optional<SliderMove> Apply(std::uint8_t sub_code, std::uint8_t value,
                                         ConfigImage& image, DeviceSnapshot& snapshot,
                                         RepaintCountdown& countdown);

  // Slider position for a speed value as the keyboard sends it: 10 gives 0, 1 gives 9.
  static std::uint8_t SpeedFromDevice(std::uint8_t value) {
    return KeyboardLightingValue::SpeedFromDevice(value);
  }
};

}  // namespace n240qx
