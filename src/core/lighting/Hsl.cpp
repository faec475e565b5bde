#include "lighting/Hsl.h"

#include <algorithm>
#include <cmath>

namespace n240qx {

namespace {

int ScaleRounded(double value, int limit) {
  const auto scaled = static_cast<int>(std::floor(value * Hsl::kScale + 0.5));
  return std::clamp(scaled, 0, limit);
}

// One channel of the HSL model, with x the hue shifted by a third for red and blue.
double HueChannel(double p, double q, double x) {
  if (x < 0.0) {
    x += 1.0;
  } else if (x > 1.0) {
    x -= 1.0;
  }
  if (6.0 * x < 1.0) {
    return p + (q - p) * 6.0 * x;
  }
  if (2.0 * x < 1.0) {
    return q;
  }
  if (3.0 * x < 2.0) {
    return p + (q - p) * (2.0 / 3.0 - x) * 6.0;
  }
  return p;
}

std::uint8_t ToByte(double unit) {
  return static_cast<std::uint8_t>(std::clamp(static_cast<int>(unit * 255.0), 0, 255));
}

}  // namespace

Hsl RgbToHsl(RgbColour colour) {
  const double r = colour.red / 255.0;
  const double g = colour.green / 255.0;
  const double b = colour.blue / 255.0;
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double luminosity = (max + min) / 2.0;
  Hsl hsl;
  hsl.luminosity = ScaleRounded(luminosity, Hsl::kScale);
  if (max == min) {
    return hsl;
  }
  const double delta = max - min;
  const double saturation = luminosity < 0.5 ? delta / (max + min) : delta / (2.0 - max - min);
  double hue = 0.0;
  if (max == r) {
    hue = (g - b) / delta;
  } else if (max == g) {
    hue = (b - r) / delta + 2.0;
  } else {
    hue = (r - g) / delta + 4.0;
  }
  hue /= 6.0;
  if (hue < 0.0) {
    hue += 1.0;
  }
  hsl.hue = ScaleRounded(hue, Hsl::kHueMax);
  hsl.saturation = ScaleRounded(saturation, Hsl::kScale);
  return hsl;
}

RgbColour HslToRgb(Hsl hsl) {
  const double s = std::clamp(hsl.saturation, 0, Hsl::kScale) / 240.0;
  const double l = std::clamp(hsl.luminosity, 0, Hsl::kScale) / 240.0;
  const double t = std::clamp(hsl.hue, 0, Hsl::kScale) / 240.0;
  if (s == 0.0) {
    const std::uint8_t grey = ToByte(l);
    return {grey, grey, grey};
  }
  const double q = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double p = 2.0 * l - q;
  return {ToByte(HueChannel(p, q, t + 1.0 / 3.0)), ToByte(HueChannel(p, q, t)),
          ToByte(HueChannel(p, q, t - 1.0 / 3.0))};
}

}  // namespace n240qx
