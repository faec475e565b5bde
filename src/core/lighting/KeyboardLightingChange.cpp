#include "lighting/KeyboardLightingChange.h"

#include <algorithm>

namespace n240qx {

namespace {
constexpr int kBrightnessMax = 50;
}  // namespace

std::optional<SliderMove> KeyboardLightingChange::Apply(std::uint8_t sub_code, std::uint8_t value,
                                                        ConfigImage& image,
                                                        DeviceSnapshot& snapshot,
                                                        RepaintCountdown& countdown) {
  KeyboardLightingValue::Store(sub_code, value, image);
  KeyboardLightingValue::Store(sub_code, value, snapshot);
  countdown.Start();
  if (sub_code == kSpeed) {
    return SliderMove{SliderId::kSpeed, image.effect_speed()};
  }
  if (sub_code == kBrightness) {
    return SliderMove{SliderId::kBrightness, std::min<int>(value, kBrightnessMax)};
  }
  return std::nullopt;
}

}  // namespace n240qx
