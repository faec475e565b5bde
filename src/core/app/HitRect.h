#pragma once

namespace n240qx {

// A rectangle in window pixels that contains both of its edges: 0,0 - 0,0 is the single
// pixel (0, 0).
struct HitRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr bool Contains(int x, int y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
  constexpr int Width() const { return right - left + 1; }
  constexpr int Height() const { return bottom - top + 1; }
};

}  // namespace n240qx
