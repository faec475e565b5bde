#include <gtest/gtest.h>

#include "window/PageItemTable.h"

namespace n240qx {
namespace {

constexpr std::uint8_t kStatic = 1;
constexpr std::uint8_t kRadar = 13;
constexpr std::uint8_t kLightingProfile1 = 51;

// The Keymap / Custom choice only exists while a lighting profile effect is chosen.
std::uint8_t EffectFor(PageItem item) {
  return item >= PageItem::kKeymap ? kLightingProfile1 : kStatic;
}

TEST(PageItemTable, HoldsTwentyFiveItemsNumberedInOrder) {
  const auto& entries = PageItemTable::Entries();
  for (std::size_t i = 0; i < kPageItemCount; ++i) {
    EXPECT_EQ(PageItemIndex(entries[i].item), i);
  }
  EXPECT_EQ(PageItemTable::RectOf(PageItem::kColour7).left, 28 + 25 * 6);
  EXPECT_EQ(PageItemTable::RectOf(PageItem::kColour7).right, 48 + 25 * 6);
  EXPECT_EQ(PageItemTable::RectOf(PageItem::kApply).bottom, 585);
}

TEST(PageItemTable, TopLeftPixelIsTheRestoreItemAndNothingAroundIt) {
  EXPECT_EQ(PageItemTable::HitTest(0, 0, kStatic), PageItem::kRestore);
  EXPECT_EQ(PageItemTable::HitTest(0, 0, kLightingProfile1), PageItem::kRestore);
  EXPECT_FALSE(PageItemTable::HitTest(1, 0, kStatic).has_value());
  EXPECT_FALSE(PageItemTable::HitTest(0, 1, kStatic).has_value());
  EXPECT_FALSE(PageItemTable::HitTest(1, 1, kStatic).has_value());
}

TEST(PageItemTable, EveryEdgeIsInsideAndOnePixelBeyondIsNot) {
  for (const auto& entry : PageItemTable::Entries()) {
    const PixelRect r = entry.rect;
    const std::uint8_t effect = EffectFor(entry.item);
    SCOPED_TRACE("item " + std::to_string(PageItemIndex(entry.item)));
    // Corners and edge midpoints, all four edges included. The Keymap choice overlaps the top
    // arrow, so items 4 and 6, which the choices cover in part, are tested with an effect that
    // hides them.
    for (const auto& [x, y] : {std::pair{r.left, r.top},
                               {r.right, r.top},
                               {r.left, r.bottom},
                               {r.right, r.bottom},
                               {(r.left + r.right) / 2, r.top},
                               {(r.left + r.right) / 2, r.bottom}}) {
      EXPECT_EQ(PageItemTable::HitTest(x, y, effect), entry.item) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{r.left - 1, r.top},
                               {r.right + 1, r.top},
                               {r.left, r.top - 1},
                               {r.right, r.bottom + 1},
                               {r.left - 1, r.bottom},
                               {r.right + 1, r.bottom}}) {
      EXPECT_NE(PageItemTable::HitTest(x, y, effect), entry.item) << x << "," << y;
    }
  }
}

TEST(PageItemTable, KeymapChoiceIsTestedBeforeEveryOtherItemForLightingProfiles) {
  // (30, 205) lies in the top arrow's rectangle too.
  EXPECT_EQ(PageItemTable::HitTest(30, 205, kLightingProfile1), PageItem::kKeymap);
  EXPECT_EQ(PageItemTable::HitTest(30, 205, 55), PageItem::kKeymap);
  EXPECT_EQ(PageItemTable::HitTest(30, 205, 50), PageItem::kDirectionTop);
  EXPECT_EQ(PageItemTable::HitTest(30, 205, kRadar), PageItem::kDirectionTop);
  EXPECT_EQ(PageItemTable::HitTest(130, 200, kLightingProfile1), PageItem::kCustom);
  EXPECT_EQ(PageItemTable::HitTest(130, 200, kRadar), PageItem::kDirectionRight);
  // Outside the choices the arrows still answer, whatever the effect.
  EXPECT_EQ(PageItemTable::HitTest(29, 197, kLightingProfile1), PageItem::kDirectionTop);
  EXPECT_EQ(PageItemTable::HitTest(180, 200, kLightingProfile1), PageItem::kDirectionLeft);
}

TEST(PageItemTable, KeymapAndCustomDoNotExistForOtherEffects) {
  EXPECT_FALSE(PageItemTable::HitTest(28, 214, kStatic).has_value());
  EXPECT_FALSE(PageItemTable::HitTest(144, 214, kStatic).has_value());
  EXPECT_EQ(PageItemTable::HitTest(144, 214, kLightingProfile1), PageItem::kCustom);
}

}  // namespace
}  // namespace n240qx
