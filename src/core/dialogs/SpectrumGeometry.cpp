#include "dialogs/SpectrumGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace n240qx {

namespace {
constexpr int kCrosshairSize = 19;
constexpr int kArmLength = 5;
constexpr int kArmFirst = 8;  // arms are three pixels wide: 8, 9, 10
constexpr int kArmLast = 10;
}  // namespace

SpectrumGeometry::SpectrumGeometry(int width, int height)
    : width_(std::max(width, 40)), height_(std::max(height, 40)) {}

PixelRect SpectrumGeometry::FieldHitRect() const {
  return {0, 10, FieldRight(), height_ - 11};
}

PixelRect SpectrumGeometry::BarHitRect() const {
  return {width_ - 29, 2, width_ - 3, height_ - 3};
}

PixelRect SpectrumGeometry::StripRect() const {
  return {width_ - 29, 10, width_ - 16, height_ - 11};
}

PixelRect SpectrumGeometry::ArrowColumns() const {
  return {width_ - 12, 0, width_ - 4, height_ - 1};
}

RgbColour SpectrumGeometry::CachedPixel(int x, int y) const {
  // Row k of the picture sits at y = height + 9 - k; rows that would fall below the control are
  // never drawn, so the field's visible part starts at k = 10.
  const int k = height_ + 9 - y;
  if (x < 0 || x > FieldRight() || y < 0 || y >= height_ || k < 0 || k > height_ - 1) {
    return kBackground;
  }
  const Hsl hsl{Hsl::kScale * x / FieldRight(), Hsl::kScale * k / (height_ - 1), kFieldLuminosity};
  return HslToRgb(hsl);
}

Hsl SpectrumGeometry::FieldPointToHsl(int x, int y, int luminosity) const {
  const int rows = bar_rows();
  const int hue = std::clamp(Hsl::kHueMax * std::max(x, 0) / FieldRight(), 0, Hsl::kHueMax);
  const int saturation =
      std::clamp(Hsl::kScale * std::max(rows - y + 9, 0) / (rows - 1), 0, Hsl::kScale);
  return {hue, saturation, luminosity};
}

int SpectrumGeometry::BarPointToArrow(int y) const {
  return std::clamp(y - 10, 0, bar_rows() - 1);
}

int SpectrumGeometry::ArrowToLuminosity(int arrow) const {
  const int rows = bar_rows();
  const int a = std::clamp(arrow, 0, rows - 1);
  return std::clamp((Hsl::kScale * (rows - a) - Hsl::kScale) / (rows - 1), 0, Hsl::kScale);
}

PixelPoint SpectrumGeometry::MarkerOf(const Hsl& hsl) const {
  const int rows = bar_rows();
  const int x = std::min((width_ - 35) * hsl.hue / Hsl::kHueMax, FieldRight());
  const int y = std::min(rows + 10 - hsl.saturation * rows / Hsl::kScale, height_ - 11);
  return {x, y};
}

int SpectrumGeometry::ArrowOf(int luminosity) const {
  const int rows = bar_rows();
  return std::clamp(rows - rows * luminosity / Hsl::kScale, 0, rows - 1);
}

int SpectrumGeometry::ArrowTop(int arrow) const {
  const int bar_height = BarHitRect().bottom - BarHitRect().top + 1;
  return std::clamp(arrow, 0, bar_height - kArrowHeight) + 2;
}

std::optional<RgbColour> SpectrumGeometry::StripColour(const Hsl& hsl, int y) const {
  const int rows = bar_rows();
  const int k = rows + 9 - y;
  if (k < 0 || k > rows - 1) {
    return std::nullopt;
  }
  return HslToRgb({hsl.hue, hsl.saturation, Hsl::kScale * k / (rows - 1)});
}

std::vector<PixelPoint> SpectrumGeometry::CrosshairPixels(PixelPoint marker) const {
  const PixelRect field = FieldHitRect();
  const int left = marker.x - kCrosshairSize / 2;
  const int top = marker.y - kCrosshairSize / 2;
  std::vector<PixelPoint> pixels;
  const auto add = [&](int column, int row) {
    const int x = left + column;
    const int y = top + row;
    if (field.Contains(x, y)) {
      pixels.push_back({x, y});
    }
  };
  for (int along = 0; along < kArmLength; ++along) {
    for (int across = kArmFirst; across <= kArmLast; ++across) {
      add(across, along);                       // upper arm
      add(across, kCrosshairSize - 1 - along);  // lower arm
      add(along, across);                       // left arm
      add(kCrosshairSize - 1 - along, across);  // right arm
    }
  }
  return pixels;
}

SpectrumArrowPixels SpectrumGeometry::ArrowPixels(int arrow) const {
  const PixelRect columns = ArrowColumns();
  const int top = ArrowTop(arrow);
  const int middle = kArrowHeight / 2;
  SpectrumArrowPixels pixels;
  for (int row = 0; row < kArrowHeight; ++row) {
    const int y = top + row;
    const int left = columns.left + std::abs(row - middle);
    const bool edge_row = row == 0 || row == kArrowHeight - 1;
    for (int x = left; x <= columns.right; ++x) {
      const bool edge = edge_row || x == left || x == columns.right;
      (edge ? pixels.outline : pixels.inside).push_back({x, y});
    }
  }
  return pixels;
}

}  // namespace n240qx
