#pragma once

namespace n240qx {

// A rectangle of window or picture pixels; both edges belong to it, as in every hit test of the
// program.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr bool Contains(int x, int y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
  // Whole-rectangle containment, used by the band selection.
  constexpr bool ContainsRect(const PixelRect& other) const {
    return Contains(other.left, other.top) && Contains(other.right, other.bottom);
  }
  constexpr int Width() const { return right - left + 1; }
  constexpr int Height() const { return bottom - top + 1; }
  constexpr PixelRect Offset(int dx, int dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  bool operator==(const PixelRect&) const = default;
};

}  // namespace n240qx
