#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "paint/PixelRect.h"
#include "paint/RgbColour.h"

namespace n240qx {

// The colour dialog's 64 fixed swatches, eight columns by eight rows. The background picture
// draws them; the dialog only knows where they are and what they hold.
class ColourPalette {
 public:
  static constexpr std::size_t kColumns = 8;
  static constexpr std::size_t kRows = 8;
  static constexpr std::size_t kCount = kColumns * kRows;

  static const std::array<RgbColour, kCount>& Colours();
  // Hit rectangle of swatch i (row-major): x..x + 13, y..y + 12.
  static PixelRect SwatchRect(std::size_t index);
  static std::optional<std::size_t> SwatchAt(int x, int y);
  // The first swatch holding this colour, if any.
  static std::optional<std::size_t> FindColour(RgbColour colour);
};

}  // namespace n240qx
