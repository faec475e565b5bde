#pragma once

#include <string_view>

#include "app/TextId.h"

namespace n240qx {

// A text drawn at a fixed window position: top-left corner and font height in pixels ("Arial",
// weight 300, white, transparent background).
struct TextPlacement {
  TextId text;
  int x;
  int y;
  int height;
  // Above 0: the widest the text may be (see PaintText).
  int max_width = 0;
};

// A skin picture drawn at its own size with its top-left corner at (x, y).
struct PicturePlacement {
  std::string_view file;
  int x;
  int y;
};

}  // namespace n240qx
