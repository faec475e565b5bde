#pragma once

#include <cstdint>

namespace n240qx {

// One 24-bit colour. As a packed value red sits in the low byte, then green, then blue: the form
// in which the colour dialog takes its starting colour and hands back the chosen one.
struct RgbColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  constexpr std::uint32_t Packed() const {
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
  }
  static constexpr RgbColour FromPacked(std::uint32_t packed) {
    return {static_cast<std::uint8_t>(packed & 0xFF), static_cast<std::uint8_t>(packed >> 8 & 0xFF),
            static_cast<std::uint8_t>(packed >> 16 & 0xFF)};
  }
  // Labels on coloured keys use this so they stay readable on any fill.
  constexpr RgbColour Complement() const {
    return {static_cast<std::uint8_t>(255 - red), static_cast<std::uint8_t>(255 - green),
            static_cast<std::uint8_t>(255 - blue)};
  }
  // Perceived lightness, 0 to 255 (the television weights).
  constexpr int Luma() const { return (299 * red + 587 * green + 114 * blue) / 1000; }
  // The colour of a label drawn on this fill, always at least kLabelContrast lighter or darker.
  // The complement reads well on dark fills, but on bright green or yellow it is a mid tone
  // that vanishes: light fills get a dark label, and mid fills a white one.
  static constexpr int kLabelContrast = 80;
  constexpr RgbColour LabelColour() const {
    const int luma = Luma();
    if (luma >= 128) {
      return RgbColour{24, 24, 24};
    }
    return 255 - 2 * luma >= kLabelContrast ? Complement() : RgbColour{255, 255, 255};
  }
  constexpr bool IsBlack() const { return red == 0 && green == 0 && blue == 0; }
  bool operator==(const RgbColour&) const = default;
};

inline constexpr RgbColour kWhite{255, 255, 255};

}  // namespace n240qx
