#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "lighting/EffectTable.h"
#include "paint/PageItem.h"
#include "paint/PixelRect.h"

namespace n240qx {

struct PageItemEntry {
  PageItem item;
  PixelRect rect;
};

// The hit table of the left column and the title strip, in the order it is walked.
class PageItemTable {
 public:
  // Items 0 to 22 in walking order, then the Keymap and Custom choices (23, 24), which are
  // tested before all others and only while a lighting profile effect is chosen.
  static const std::array<PageItemEntry, kPageItemCount>& Entries();
  static PixelRect RectOf(PageItem item);

  // Lighting profile effects show the Keymap / Custom choice.
  static bool PerKeyChoiceShown(std::uint8_t light_effect) {
    return light_effect >= EffectTable::kFirstProfile;
  }

  // The first item whose rectangle holds (x, y), edges included; none outside every item.
  static std::optional<PageItem> HitTest(int x, int y, std::uint8_t light_effect);
};

}  // namespace n240qx
