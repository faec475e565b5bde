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
  constexpr bool IsBlack() const { return red == 0 && green == 0 && blue == 0; }
  bool operator==(const RgbColour&) const = default;
};

inline constexpr RgbColour kWhite{255, 255, 255};

}  // namespace n240qx
