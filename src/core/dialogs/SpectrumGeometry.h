#pragma once

#include <optional>
#include <vector>

#include "lighting/Hsl.h"
#include "paint/PixelPoint.h"
#include "paint/PixelRect.h"
#include "paint/RgbColour.h"

namespace n240qx {

// The pixels of the luminosity arrow, split by the colour each is drawn in.
struct SpectrumArrowPixels {
  std::vector<PixelPoint> outline;
  std::vector<PixelPoint> inside;
};

// The layout of the spectrum control for a client area of width x height pixels: the hue and
// saturation field on the left, the luminosity bar on the right, and the conversions between
// points and colours. Integer arithmetic throughout, truncating, as the picture was drawn with.
class SpectrumGeometry {
 public:
  static constexpr int kDialogWidth = 160;
  static constexpr int kDialogHeight = 140;
  static constexpr RgbColour kBackground{151, 151, 151};
  // The luminosity every pixel of the field is drawn with.
  static constexpr int kFieldLuminosity = 120;
  static constexpr int kArrowHeight = 17;

  SpectrumGeometry(int width = kDialogWidth, int height = kDialogHeight);

  int width() const { return width_; }
  int height() const { return height_; }
  // Rows of the luminosity strip; the field's saturation scale uses it too.
  int bar_rows() const { return height_ - 20; }

  PixelRect FieldHitRect() const;
  PixelRect BarHitRect() const;
  PixelRect StripRect() const;
  // The columns the arrow is drawn in (and restored from the cached picture).
  PixelRect ArrowColumns() const;

  // Colour of pixel (x, y) of the cached picture: the hue and saturation field at luminosity
  // 120, the background elsewhere.
  RgbColour CachedPixel(int x, int y) const;
  // Hue and saturation for a point of the field; the luminosity is left to the caller.
  Hsl FieldPointToHsl(int x, int y, int luminosity) const;
  // Arrow position (0..rows - 1) for a point at height y in the bar.
  int BarPointToArrow(int y) const;
  int ArrowToLuminosity(int arrow) const;

  PixelPoint MarkerOf(const Hsl& hsl) const;
  int ArrowOf(int luminosity) const;
  // Top row of the 17-row arrow triangle for an arrow position.
  int ArrowTop(int arrow) const;
  // Colour of strip row y for the given hue and saturation, or nothing outside the strip.
  std::optional<RgbColour> StripColour(const Hsl& hsl, int y) const;
  // The crosshair's pixels around a marker that fall inside the field.
  std::vector<PixelPoint> CrosshairPixels(PixelPoint marker) const;
  // The left-pointing triangle beside the bar for an arrow position: 9 columns wide and 17
  // rows high from ArrowTop, its point in the middle row at the leftmost arrow column.
  SpectrumArrowPixels ArrowPixels(int arrow) const;

 private:
  int FieldRight() const { return width_ - 36; }

  int width_;
  int height_;
};

}  // namespace n240qx
