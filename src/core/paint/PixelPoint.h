#pragma once

namespace n240qx {

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

}  // namespace n240qx
