#pragma once

#include <cstdint>
#include <string_view>

namespace n240qx {

// A rectangle of the keyboard picture; both edges belong to it.
struct KeyRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr bool Empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

struct KeyPoint {
  int x = 0;
  int y = 0;
};

// One key of the keyboard: its index in every per-key array, its drawing, the host's
// virtual-key code and its place in the switch matrix.
struct KeyTableRow {
  std::uint8_t index;
  std::string_view label;
  KeyRect rect;
  KeyPoint label_at;
  std::uint8_t vk;
  std::uint8_t slot;
};

}  // namespace n240qx
