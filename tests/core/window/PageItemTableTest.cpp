#include <gtest/gtest.h>

#include "window/PageItemTable.h"

namespace n240qx {
namespace {

constexpr std::uint8_t kStatic = 1;
constexpr std::uint8_t kRadar = 13;
constexpr std::uint8_t kLightingProfile1 = 51;

// The Keymap / Custom choice only exists while a lighting profile effect is chosen.
std::uint8_t EffectFor(int index) {
  return index >= 23 ? kLightingProfile1 : kStatic;
}

TEST(PageItemTable, HoldsTwentyFiveItemsNumberedInOrder) {
  const auto& entries = PageItemTable::Entries();
  for (int i = 0; i < kPageItemCount; ++i) {
    EXPECT_EQ(entries[i].index, i);
  }
  EXPECT_EQ(PageItemTable::RectOf(PageItem::kColour7).left, 28 + 25 * 6);
  EXPECT_EQ(PageItemTable::RectOf(PageItem::kColour7).right, 48 + 25 * 6);
  EXPECT_EQ(PageItemTable::RectOf(PageItem::kApply).bottom, 585);
}

TEST(PageItemTable, TopLeftPixelIsTheRestoreItemAndNothingAroundIt) {
  EXPECT_EQ(PageItemTable::HitTest(0, 0, kStatic), 21);
  EXPECT_EQ(PageItemTable::HitTest(0, 0, kLightingProfile1), 21);
  EXPECT_EQ(PageItemTable::HitTest(1, 0, kStatic), kNoPageItem);
  EXPECT_EQ(PageItemTable::HitTest(0, 1, kStatic), kNoPageItem);
  EXPECT_EQ(PageItemTable::HitTest(1, 1, kStatic), kNoPageItem);
}

TEST(PageItemTable, EveryEdgeIsInsideAndOnePixelBeyondIsNot) {
  for (const auto& entry : PageItemTable::Entries()) {
    const PixelRect r = entry.rect;
    const std::uint8_t effect = EffectFor(entry.index);
    SCOPED_TRACE("item " + std::to_string(entry.index));
    // Corners and edge midpoints, all four edges included. The Keymap choice overlaps the top
    // arrow, so items 4 and 6, which the choices cover in part, are tested with an effect that
    // hides them.
    for (const auto& [x, y] : {std::pair{r.left, r.top},
                               {r.right, r.top},
                               {r.left, r.bottom},
                               {r.right, r.bottom},
                               {(r.left + r.right) / 2, r.top},
                               {(r.left + r.right) / 2, r.bottom}}) {
      EXPECT_EQ(PageItemTable::HitTest(x, y, effect), entry.index) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{r.left - 1, r.top},
                               {r.right + 1, r.top},
                               {r.left, r.top - 1},
                               {r.right, r.bottom + 1},
                               {r.left - 1, r.bottom},
                               {r.right + 1, r.bottom}}) {
      EXPECT_NE(PageItemTable::HitTest(x, y, effect), entry.index) << x << "," << y;
    }
  }
}

TEST(PageItemTable, KeymapChoiceIsTestedBeforeEveryOtherItemForLightingProfiles) {
  // (30, 205) lies in the top arrow's rectangle too.
  EXPECT_EQ(PageItemTable::HitTest(30, 205, kLightingProfile1), 23);
  EXPECT_EQ(PageItemTable::HitTest(30, 205, 55), 23);
  EXPECT_EQ(PageItemTable::HitTest(30, 205, 50), 4);
  EXPECT_EQ(PageItemTable::HitTest(30, 205, kRadar), 4);
  EXPECT_EQ(PageItemTable::HitTest(130, 200, kLightingProfile1), 24);
  EXPECT_EQ(PageItemTable::HitTest(130, 200, kRadar), 6);
  // Outside the choices the arrows still answer, whatever the effect.
  EXPECT_EQ(PageItemTable::HitTest(29, 197, kLightingProfile1), 4);
  EXPECT_EQ(PageItemTable::HitTest(180, 200, kLightingProfile1), 7);
}

TEST(PageItemTable, KeymapAndCustomDoNotExistForOtherEffects) {
  EXPECT_EQ(PageItemTable::HitTest(28, 214, kStatic), kNoPageItem);
  EXPECT_EQ(PageItemTable::HitTest(144, 214, kStatic), kNoPageItem);
  EXPECT_EQ(PageItemTable::HitTest(144, 214, kLightingProfile1), 24);
}

}  // namespace
}  // namespace n240qx
