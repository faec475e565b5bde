#include "dialogs/KeyDialogGeometry.h"

namespace n240qx {

namespace {

constexpr std::array<KeyDialogButton, KeyDialogGeometry::kButtonCount> kButtons = {{
    {{371, 8, 377, 15}, "button-close-normal.png", "button-close-over.png"},
    {{0, 28, 94, 55}, "large_button.png", "large_button.png"},
    {{97, 28, 191, 55}, "large_button.png", "large_button.png"},
    {{194, 28, 288, 55}, "large_button.png", "large_button.png"},
    {{291, 28, 385, 55}, "large_button.png", "large_button.png"},
    {{0, 30, 325, 36}, "single_combine_option.png", "single_combine_option.png"},
    {{19, 351, 29, 360}, "Disable.png", "Enable.png"},
    {{130, 346, 200, 368}, "button-cancel-normal.png", "button-cancel-over.png"},
    {{220, 346, 290, 368}, "button-cancel-normal.png", "button-cancel-over.png"},
    {{310, 346, 380, 368}, "button-save-normal.png", "button-save-over.png"},
}};

constexpr int kRowPitch = 62;
// Radio, label, path field and browse button of row 0.
constexpr std::array<PixelRect, 4> kRowZero = {{
    {1, 85, 11, 94},
    {15, 81, 246, 106},
    {83, 79, 314, 104},
    {317, 79, 377, 104},
}};

}  // namespace

const std::array<KeyDialogButton, KeyDialogGeometry::kButtonCount>& KeyDialogGeometry::Buttons() {
  return kButtons;
}

std::uint8_t KeyDialogGeometry::HitButton(int x, int y) {
  const PixelRect toggle = kButtons[kDisableToggle].rect;
  const PixelRect grown{toggle.left - kToggleMargin, toggle.top - kToggleMargin,
                        toggle.right + kToggleMargin, toggle.bottom + kToggleMargin};
  if (grown.Contains(x, y)) {
    return kDisableToggle;
  }
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    if (kButtons[i].rect.Contains(x, y)) {
      return static_cast<std::uint8_t>(i);
    }
  }
  return kNone;
}

PixelRect KeyDialogGeometry::LaunchRowArea(std::size_t index) {
  const auto row = static_cast<int>(index / 4);
  return kRowZero[index % 4].Offset(0, kRowPitch * row);
}

std::uint8_t KeyDialogGeometry::HitLaunchRow(int x, int y) {
  for (std::size_t i = 0; i < 4 * kLaunchRows; ++i) {
    if (LaunchRowArea(i).Contains(x, y)) {
      return static_cast<std::uint8_t>(i);
    }
  }
  return kNone;
}

}  // namespace n240qx
