#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "paint/PaintOp.h"
#include "paint/PixelPoint.h"
#include "paint/PixelRect.h"

namespace n240qx {

// Where the keys of the keyboard drawing sit in the main window. Key rectangles of the key
// table are in picture coordinates; the picture's top-left corner is at window (301, 95).
class KeyboardViewGeometry {
 public:
  static constexpr PixelPoint kOrigin{301, 95};
  static constexpr PixelPoint kLabelOffset{296, 92};
  static constexpr std::size_t kEnterKey = 54;
  static constexpr int kLabelHeight = 10;

  // A piece of a key in picture coordinates: x, y, width and height.
  struct Piece {
    int x;
    int y;
    int width;
    int height;
    bool operator==(const Piece&) const = default;
  };

  // The key whose rectangle, offset into the window, holds the point; the first in key-table
  // order. In Keymap mode the keys that cannot be reassigned (left Ctrl, left Windows key,
  // Fn, right Ctrl) give nothing. Keys 17..19 can only be hit at the picture's top-left pixel.
  static std::optional<std::size_t> HitTest(int x, int y, bool per_key_mode);

  // The key's rectangle in window coordinates (edges included); nothing past key 107.
  static std::optional<PixelRect> WindowRect(std::size_t key);
  // Keys 17..19 are never drawn.
  static bool Drawn(std::size_t key);
  // What is filled or copied for a key: the L-shaped Enter key is two pieces.
  static std::vector<Piece> Pieces(std::size_t key);
  // The white frame two pixels outside a selected or hovered key.
  static std::optional<PaintFrame> SelectionFrame(std::size_t key);
  // The hovered Enter key's frame follows its L shape.
  static std::array<PaintLine, 6> EnterOutline();
};

}  // namespace n240qx
