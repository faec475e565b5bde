#pragma once

#include <string>
#include <variant>

#include "paint/RgbColour.h"

namespace n240qx {

// What a model asks its widget to draw, in window pixels. The widget draws the list in order and
// decides nothing itself.

// Text in "Arial", weight 300, transparent background; `height` is the font height in pixels.
struct PaintText {
  int x = 0;
  int y = 0;
  int height = 0;
  std::string text;
  RgbColour colour = kWhite;
  // When above 0: the text is drawn at the largest height up to `height` at which it is no
  // wider than this, so that it never runs into the control beside it.
  int max_width = 0;
  // With `max_width`: the text ends at x + max_width, against whatever stands to its right.
  bool align_right = false;
  bool operator==(const PaintText&) const = default;
};

// A skin picture at its own size.
struct PaintPicture {
  int x = 0;
  int y = 0;
  std::string name;
  bool operator==(const PaintPicture&) const = default;
};

// A filled rectangle covering width x height pixels from (x, y).
struct PaintFill {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  RgbColour colour;
  bool operator==(const PaintFill&) const = default;
};

// A 1-pixel outline whose outer edge covers width x height pixels from (x, y).
struct PaintFrame {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  RgbColour colour = kWhite;
  bool operator==(const PaintFrame&) const = default;
};

// A 1-pixel line between two points, both ends included.
struct PaintLine {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  RgbColour colour = kWhite;
  bool operator==(const PaintLine&) const = default;
};

// A piece of a second picture of the same size as the background (the highlighted keyboard),
// copied to the same place offset into the window.
struct PaintPictureCut {
  std::string name;
  int source_x = 0;
  int source_y = 0;
  int width = 0;
  int height = 0;
  int x = 0;
  int y = 0;
  bool operator==(const PaintPictureCut&) const = default;
};

using PaintOp =
    std::variant<PaintText, PaintPicture, PaintFill, PaintFrame, PaintLine, PaintPictureCut>;

}  // namespace n240qx
