#include "dialogs/ColourPalette.h"

namespace n240qx {

namespace {

constexpr RgbColour kW{255, 255, 255};

constexpr std::array<RgbColour, ColourPalette::kCount> kColours{{
    {255, 128, 128},
    {255, 255, 128},
    {128, 255, 128},
    {0, 255, 128},
    {128, 255, 254},
    {0, 128, 255},
    {254, 128, 192},
    {255, 128, 255},
    {255, 0, 0},
    {255, 255, 0},
    {128, 255, 0},
    {0, 255, 64},
    {0, 255, 255},
    {0, 128, 192},
    {128, 128, 255},
    {255, 0, 255},
    {128, 64, 64},
    {255, 128, 64},
    {0, 255, 0},
    {0, 128, 128},
    {0, 64, 128},
    {128, 128, 255},
    {128, 0, 64},
    {255, 0, 128},
    {128, 0, 0},
    {255, 128, 0},
    {0, 128, 0},
    {0, 128, 64},
    {0, 0, 255},
    {0, 0, 160},
    {128, 0, 128},
    {128, 0, 255},
    {64, 0, 0},
    {128, 64, 0},
    {0, 64, 0},
    {0, 64, 64},
    {0, 0, 128},
    {0, 0, 64},
    {64, 0, 64},
    {64, 0, 128},
    {0, 0, 0},
    {128, 128, 0},
    {128, 128, 64},
    {128, 128, 128},
    {64, 128, 128},
    {129, 192, 192},
    {64, 0, 64},
    {255, 255, 255},
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
    kW,
}};

constexpr std::array<int, ColourPalette::kRows> kRowTops{41, 57, 73, 89, 105, 122, 162, 178};
constexpr int kFirstColumnLeft = 13;
constexpr int kColumnPitch = 19;
constexpr int kSwatchWidth = 13;   // right edge offset, edges included
constexpr int kSwatchHeight = 12;  // bottom edge offset, edges included

}  // namespace

const std::array<RgbColour, ColourPalette::kCount>& ColourPalette::Colours() {
  return kColours;
}

PixelRect ColourPalette::SwatchRect(std::size_t index) {
  const std::size_t row = index / kColumns % kRows;
  const int left = kFirstColumnLeft + kColumnPitch * static_cast<int>(index % kColumns);
  const int top = kRowTops[row];
  return {left, top, left + kSwatchWidth, top + kSwatchHeight};
}

std::optional<std::size_t> ColourPalette::SwatchAt(int x, int y) {
  for (std::size_t index = 0; index < kCount; ++index) {
    if (SwatchRect(index).Contains(x, y)) {
      return index;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> ColourPalette::FindColour(RgbColour colour) {
  for (std::size_t index = 0; index < kCount; ++index) {
    if (kColours[index] == colour) {
      return index;
    }
  }
  return std::nullopt;
}

}  // namespace n240qx
