#include <gtest/gtest.h>

#include "lighting/LightingPage.h"
#include "window/MainWindowModel.h"
#include "window/PageItemTable.h"

namespace n240qx {
namespace {

using R = WindowRequest;

// The window wires the lighting page in: one copy of the effect list and per-key mode.
class MainWindowWithLightingPage : public ::testing::Test {
 protected:
  ConfigImage image_;
  DeviceSnapshot snapshot_;
  std::uint32_t shared_colour_ = 0;
  int dialogs_run_ = 0;
  LightingPage page_{image_, shared_colour_, [this] {
                       ++dialogs_run_;
                       return false;
                     }};
  MainWindowModel model_{image_, snapshot_, true, &page_};
};

TEST_F(MainWindowWithLightingPage, EffectNameOpensThePagesListAndAReleasePicksARow) {
  const PixelRect name = PageItemTable::RectOf(PageItem::kEffectName);
  EXPECT_EQ(model_.OnButtonUp(name.left, name.top).route, ClickRoute::kLightingItem);
  EXPECT_TRUE(page_.effect_list_open());
  EXPECT_TRUE(model_.state().effect_list_open);
  EXPECT_FALSE(model_.SliderWindowsShown());

  EXPECT_TRUE(model_.OnMouseMove(100, 480).Has(R::kRepaint)) << "hovering a new row";
  EXPECT_FALSE(model_.OnMouseMove(101, 481).Has(R::kRepaint)) << "same row";

  // y 492 is the last row: "Lighting Profile 5".
  EXPECT_EQ(model_.OnButtonUp(100, 492).route, ClickRoute::kEffectList);
  EXPECT_EQ(image_.light_effect(), 55);
  EXPECT_FALSE(model_.state().effect_list_open);
  EXPECT_TRUE(model_.state().per_key_mode);
}

TEST_F(MainWindowWithLightingPage, OnlyMovesOverTheOpenListAreKeptFromTheKeyboardView) {
  model_.OpenEffectList();
  struct Case {
    int x;
    int y;
    ClickRoute route;
  };
  for (const Case c :
       {Case{28, 173, ClickRoute::kEffectList}, Case{248, 492, ClickRoute::kEffectList},
        Case{249, 300, ClickRoute::kKeyboardView}, Case{100, 493, ClickRoute::kKeyboardView},
        Case{100, 172, ClickRoute::kKeyboardView}, Case{500, 200, ClickRoute::kKeyboardView}}) {
    EXPECT_EQ(model_.OnMouseMove(c.x, c.y).route, c.route) << c.x << "," << c.y;
  }
  model_.OnMouseMove(100, 480);
  const ClickResult left = model_.OnMouseMove(500, 200);
  EXPECT_TRUE(left.Has(R::kRepaint)) << "leaving the list clears its hovered row";
  EXPECT_EQ(page_.hovered_row(), LightingPage::kNoRow);
  EXPECT_TRUE(model_.state().effect_list_open);
}

TEST_F(MainWindowWithLightingPage, ChoicesRevertAndResetDriveThePagesPerKeyMode) {
  image_.light_effect() = 51;
  model_.OnButtonUp(30, 205);
  EXPECT_FALSE(page_.per_key_mode());
  model_.OnButtonUp(135, 205);
  EXPECT_TRUE(page_.per_key_mode());

  snapshot_.light_effect() = 1;
  model_.OnButtonUp(0, 0);
  EXPECT_FALSE(page_.per_key_mode()) << "revert to a built-in effect";

  page_.SetPerKeyMode(true);
  (void)model_.OnFactoryResetAnswer(false);
  EXPECT_TRUE(page_.per_key_mode()) << "cancel changes nothing";
  (void)model_.OnFactoryResetAnswer(true);
  EXPECT_FALSE(page_.per_key_mode());
}

TEST_F(MainWindowWithLightingPage, DirectionAndSwatchClicksReachThePage) {
  const PixelRect left_arrow = PageItemTable::RectOf(PageItem::kDirectionLeft);
  model_.OnButtonUp(left_arrow.left, left_arrow.top);
  EXPECT_EQ(image_.light_direction(), 1);
  image_.colour_choice() = 1;
  const PixelRect swatch = PageItemTable::RectOf(PageItem::kColour1);
  model_.OnButtonUp(swatch.left, swatch.top);
  EXPECT_EQ(dialogs_run_, 1) << "a click on the chosen swatch edits its colour";
}

TEST_F(MainWindowWithLightingPage, LightingSlidersAreThePagesAndTheOthersThePanels) {
  EXPECT_TRUE(model_.OnSliderNotified(SliderId::kBrightness, 30));
  EXPECT_EQ(image_.brightness(), 30);
  EXPECT_FALSE(model_.OnSliderNotified(SliderId::kBrightness, 30));
  EXPECT_TRUE(model_.OnSliderNotified(SliderId::kResponseTime, 9));
  EXPECT_EQ(image_.response_time(), 9);
}

}  // namespace
}  // namespace n240qx
