#pragma once

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

inline constexpr int kPageItemCount = 25;
// What the hit test returns when no item contains the point.
inline constexpr int kNoPageItem = -1;

constexpr int PageItemIndex(PageItem item) {
  return static_cast<int>(item);
}

// The lighting page handles the effect name, the direction arrows and the colour swatches.
constexpr bool IsLightingPageItem(int index) {
  return index >= PageItemIndex(PageItem::kEffectName) &&
         index <= PageItemIndex(PageItem::kMulticolour);
}

}  // namespace n240qx
