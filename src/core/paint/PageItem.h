#pragma once

#include <cstddef>

namespace n240qx {

// The items of the main window's left column and title strip, numbered as the button table
// numbers them. Items 3 to 15 are the lighting page's; the rest are the main window's.
enum class PageItem : int {
  kHelp = 0,
  kMinimise = 1,
  kClose = 2,
  kEffectName = 3,
  kDirectionTop = 4,
  kDirectionBottom = 5,
  kDirectionRight = 6,
  kDirectionLeft = 7,
  kColour1 = 8,
  kColour7 = 14,
  kMulticolour = 15,
  kGameMode = 16,
  kWindowsKeyLock = 17,
  kProfile = 18,
  kMacro = 19,
  kDeadButton = 20,
  kRestore = 21,
  kApply = 22,
  kKeymap = 23,
  kCustom = 24,
};

inline constexpr std::size_t kPageItemCount = 25;

constexpr std::size_t PageItemIndex(PageItem item) {
  return static_cast<std::size_t>(item);
}

// The swatch number (1 to 7) of a colour item, 0 for every other item.
constexpr int SwatchOf(PageItem item) {
  const int offset = static_cast<int>(item) - static_cast<int>(PageItem::kColour1);
  const int count = static_cast<int>(PageItem::kColour7) - static_cast<int>(PageItem::kColour1);
  return offset >= 0 && offset <= count ? offset + 1 : 0;
}

// The lighting page handles the effect name, the direction arrows and the colour swatches.
constexpr bool IsLightingPageItem(PageItem item) {
  return item >= PageItem::kEffectName && item <= PageItem::kMulticolour;
}

}  // namespace n240qx
