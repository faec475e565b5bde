#pragma once

#include "paint/RgbColour.h"

namespace n240qx {

// Hue, saturation and luminosity on the colour picker's scale: hue 0..239, the others 0..240.
struct Hsl {
  int hue = 0;
  int saturation = 0;
  int luminosity = 0;

  static constexpr int kHueMax = 239;
  static constexpr int kScale = 240;

  bool operator==(const Hsl&) const = default;
};

// Each component rounded half up and clamped to its range.
Hsl RgbToHsl(RgbColour colour);
// Each channel truncated. Inputs are clamped to 0..240 first; the spectrum picture asks for hue
// 240 at its right edge, which is red again.
RgbColour HslToRgb(Hsl hsl);

}  // namespace n240qx
