#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "paint/PixelRect.h"

namespace n240qx {

// One of the dialog's ten buttons: its hit rectangle and its two pictures.
struct KeyDialogButton {
  PixelRect rect;
  std::string_view normal;
  std::string_view hover;
};

// The fixed places of the key assignment dialog and their hit tests.
class KeyDialogGeometry {
 public:
  static constexpr std::uint8_t kNone = 0xFF;
  static constexpr std::uint8_t kCloseBox = 0;
  static constexpr std::uint8_t kFirstTab = 1;  // tabs 1-4 show pages 0-3
  static constexpr std::uint8_t kOptionStrip = 5;
  static constexpr std::uint8_t kDisableToggle = 6;
  static constexpr std::uint8_t kReset = 7;
  static constexpr std::uint8_t kClose = 8;
  static constexpr std::uint8_t kSave = 9;
  static constexpr std::size_t kButtonCount = 10;
  static constexpr std::size_t kLaunchRows = 4;
  // The background's width: it ends with the last tab.
  static constexpr int kWidth = 386;
  // The toggle is small; it answers a few pixels around its picture too.
  static constexpr int kToggleMargin = 5;

  // The child controls: the two capture fields and the place the macro list and the function
  // tree share.
  static constexpr PixelRect kSingleField{12, 97, 373, 111};
  static constexpr PixelRect kCombineField{12, 186, 373, 200};
  static constexpr PixelRect kListPlace{10, 60, 369, 309};
  // The Advance page's line under its launch rows that leads to the host action page.
  static constexpr PixelRect kHostActionLink{12, 298, 246, 318};

  static const std::array<KeyDialogButton, kButtonCount>& Buttons();
  // The toggle first (grown by kToggleMargin), then buttons 0-9; kNone when none is hit.
  static std::uint8_t HitButton(int x, int y);

  // Row i owns indices 4i (radio), 4i + 1 (label), 4i + 2 (path field), 4i + 3 (browse).
  static PixelRect LaunchRowArea(std::size_t index);
  static std::uint8_t HitLaunchRow(int x, int y);
  static constexpr bool IsRadio(std::uint8_t hit) { return hit != kNone && hit % 4 == 0; }
  static constexpr bool IsBrowse(std::uint8_t hit) { return hit != kNone && hit % 4 == 3; }
};

}  // namespace n240qx
