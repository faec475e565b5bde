#include <gtest/gtest.h>

#include <vector>

#include "window/MainWindowModel.h"
#include "window/PageItemTable.h"

namespace n240qx {
namespace {

using R = WindowRequest;

class MainWindowModelTest : public ::testing::Test {
 protected:
  // A click at the middle of a page item's rectangle.
  ClickResult Click(PageItem item) {
    const PixelRect r = PageItemTable::RectOf(item);
    return model_.OnButtonUp((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  ConfigImage image_;
  DeviceSnapshot snapshot_;
  MainWindowModel model_{image_, snapshot_, /*tray_available=*/true};
};

TEST_F(MainWindowModelTest, StartsWithEverythingCleared) {
  const auto& s = model_.state();
  EXPECT_FALSE(s.effect_list_open || s.help_open || s.per_key_mode || s.dragging);
  EXPECT_EQ(s.activity, DeviceActivity::kIdle);
}

TEST_F(MainWindowModelTest, KeymapChoiceWinsOverTheTopArrowForLightingProfiles) {
  image_.light_effect() = 51;
  model_.SetPerKeyMode(true);
  const ClickResult result = model_.OnButtonUp(30, 205);
  EXPECT_EQ(result.route, ClickRoute::kMainWindow);
  EXPECT_EQ(result.item, PageItem::kKeymap);
  EXPECT_FALSE(model_.state().per_key_mode);
  EXPECT_EQ(model_.OnButtonUp(135, 205).item, PageItem::kCustom);
  EXPECT_TRUE(model_.state().per_key_mode);

  image_.light_effect() = 13;
  const ClickResult arrow = model_.OnButtonUp(30, 205);
  EXPECT_EQ(arrow.route, ClickRoute::kLightingItem);
  EXPECT_EQ(arrow.item, PageItem::kDirectionTop);
}

TEST_F(MainWindowModelTest, LightingItemsAreHandedToTheLightingPage) {
  for (int item = 3; item <= 15; ++item) {
    const ClickResult result = Click(static_cast<PageItem>(item));
    EXPECT_EQ(result.route, ClickRoute::kLightingItem);
    EXPECT_EQ(result.item, static_cast<PageItem>(item));
  }
  EXPECT_EQ(image_.bytes(), snapshot_.bytes()) << "the main window changes none of them";
}

TEST_F(MainWindowModelTest, OpenEffectListTakesTheReleaseFirst) {
  model_.OpenEffectList();
  EXPECT_FALSE(model_.SliderWindowsShown());
  const ClickResult result = Click(PageItem::kGameMode);
  EXPECT_EQ(result.route, ClickRoute::kEffectList);
  EXPECT_FALSE(model_.state().effect_list_open);
  EXPECT_EQ(image_.game_mode(), 0) << "the release went to the list only";
  EXPECT_TRUE(model_.SliderWindowsShown());
  model_.OpenEffectList();
  EXPECT_EQ(model_.OnMouseMove(100, 200).route, ClickRoute::kEffectList);
}

TEST_F(MainWindowModelTest, HelpWindowTakesTheReleaseBeforeThePage) {
  EXPECT_TRUE(Click(PageItem::kHelp).Has(R::kRepaint));
  EXPECT_TRUE(model_.state().help_open);

  EXPECT_TRUE(model_.OnButtonUp(900, 50).Has(R::kLaunchUpdater));
  EXPECT_TRUE(model_.state().help_open);

  const ClickResult reset = model_.OnButtonUp(900, 30);
  EXPECT_TRUE(reset.Has(R::kConfirmFactoryReset));
  EXPECT_FALSE(model_.state().help_open);

  Click(PageItem::kHelp);
  const ClickResult outside = Click(PageItem::kGameMode);
  EXPECT_FALSE(model_.state().help_open);
  EXPECT_FALSE(outside.Has(R::kConfirmFactoryReset));
  EXPECT_EQ(image_.game_mode(), 0) << "a release that closes the help window does nothing else";
}

TEST_F(MainWindowModelTest, CloseWritesTheSnapshotsThenEnds) {
  image_.game_mode() = 1;  // an unapplied edit
  const ClickResult result = Click(PageItem::kClose);
  EXPECT_EQ(result.requests, (std::vector<R>{R::kSaveSnapshotsToStore, R::kEndProgram}));
  EXPECT_EQ(MainWindowModel::OnTrayExit(), (std::vector<R>{R::kEndProgram}));
}

TEST_F(MainWindowModelTest, ProfileMacroAndApplyAreRequests) {
  EXPECT_EQ(Click(PageItem::kProfile).requests, (std::vector<R>{R::kOpenProfileDialog}));
  EXPECT_EQ(Click(PageItem::kMacro).requests, (std::vector<R>{R::kOpenMacroDialog}));
  EXPECT_TRUE(Click(PageItem::kApply).Has(R::kApplyChanges));
  EXPECT_TRUE(model_.state().EditingLocked());
  const auto after_profile = model_.OnProfileDialogClosed();
  EXPECT_EQ(after_profile.front(), R::kSetSlidersFromImage);
  EXPECT_EQ(std::ranges::count(after_profile, R::kRefreshKeySettings), 1);
  EXPECT_EQ(
      std::ranges::count(model_.OnRefresh(RefreshSource::kKeyboardRead), R::kRefreshKeySettings), 0)
      << "a read's ending refreshes the keys itself";
  EXPECT_EQ(std::ranges::count(after_profile, R::kCheckFirmware), 0);
  EXPECT_EQ(std::ranges::count(after_profile, R::kReadLightingAgain), 0);
}

TEST_F(MainWindowModelTest, EditingIsLockedWhileTheKeyboardIsBusy) {
  EXPECT_TRUE(model_.OnStartup(true, true).back() == R::kStartFullRead);
  EXPECT_FALSE(model_.SlidersEnabled());
  EXPECT_EQ(Click(PageItem::kGameMode).route, ClickRoute::kIgnored);
  EXPECT_EQ(Click(PageItem::kClose).route, ClickRoute::kIgnored);
  EXPECT_TRUE(Click(PageItem::kMinimise).Has(R::kHideWindow)) << "leaving is always allowed";
  EXPECT_EQ(image_.game_mode(), 0);

  const auto refresh = model_.OnReadFinished();
  EXPECT_EQ(refresh.back(), R::kCheckFirmware);
  EXPECT_TRUE(model_.SlidersEnabled());
  Click(PageItem::kGameMode);
  EXPECT_EQ(image_.game_mode(), 1);
}

TEST_F(MainWindowModelTest, AnArrivalLocksEditingUntilItsHandlingEnds) {
  model_.OnArrivalRunning(true);
  EXPECT_EQ(Click(PageItem::kApply).route, ClickRoute::kIgnored);
  EXPECT_FALSE(model_.SlidersEnabled());
  model_.OnArrivalRunning(false);
  EXPECT_TRUE(Click(PageItem::kApply).Has(R::kApplyChanges));
}

TEST_F(MainWindowModelTest, ArrivalRefreshesOnlyWhenHeardAndLeavesPerKeyModeAfterAnUpdate) {
  struct Case {
    bool reset_after_update;
    bool listening;
    bool per_key_mode_after;
    bool refreshed;  // firmware checked (the state rewrote keymap.bin)
  };
  for (const Case c : {Case{false, true, true, true}, Case{false, false, true, false},
                       Case{true, true, false, true}, Case{true, false, false, false}}) {
    model_.SetPerKeyMode(true);
    const auto requests = model_.OnArrivalRead(c.reset_after_update, c.listening);
    SCOPED_TRACE(::testing::Message()
                 << "reset " << c.reset_after_update << " listening " << c.listening);
    EXPECT_EQ(model_.state().per_key_mode, c.per_key_mode_after);
    EXPECT_EQ(std::ranges::count(requests, R::kCheckFirmware), c.refreshed ? 1 : 0);
    for (R always : {R::kSetSlidersFromImage, R::kRepaint}) {
      EXPECT_EQ(std::ranges::count(requests, always), 1) << static_cast<int>(always);
    }
  }
}

TEST_F(MainWindowModelTest, FinishedApplyUnlocksEditingAndLeavesTheImageAlone) {
  for (const Status& outcome :
       {Status::Ok(), Status(Error{ErrorCode::kDisconnected, "The keyboard was unplugged."})}) {
    image_.brightness() = 20;
    Click(PageItem::kApply);
    EXPECT_EQ(model_.OnApplyFinished(outcome), (std::vector<R>{R::kRepaint}));
    EXPECT_EQ(image_.brightness(), 20);
    EXPECT_EQ(snapshot_.brightness(), 0) << "the state applies what the write brought";
    EXPECT_FALSE(model_.state().EditingLocked());
  }
}

TEST_F(MainWindowModelTest, RevertRestoresTheImageAndDerivesPerKeyMode) {
  snapshot_.light_effect() = 52;
  snapshot_.report_rate() = 2;
  image_.light_effect() = 3;
  image_.report_rate() = 0;
  image_.game_mode() = 1;
  const ClickResult result = model_.OnButtonUp(0, 0);
  EXPECT_EQ(result.item, PageItem::kRestore);
  EXPECT_EQ(image_.bytes(), snapshot_.bytes());
  EXPECT_TRUE(model_.state().per_key_mode);
  for (R r : {R::kHideWindow, R::kRevertKeySettings, R::kSetSlidersFromImage}) {
    EXPECT_TRUE(result.Has(r)) << static_cast<int>(r);
  }

  snapshot_.light_effect() = 50;
  model_.OnButtonUp(0, 0);
  EXPECT_FALSE(model_.state().per_key_mode);
}

TEST_F(MainWindowModelTest, ClicksOnNoItemGoToTheKeyboardView) {
  EXPECT_EQ(model_.OnButtonUp(500, 300).route, ClickRoute::kKeyboardView);
  EXPECT_EQ(Click(PageItem::kDeadButton).route, ClickRoute::kKeyboardView);
}

TEST_F(MainWindowModelTest, ReleasesOnThePageGoOnToTheKeyClickUnlessAnOpenWindowTakesThem) {
  for (const PageItem item :
       {PageItem::kDirectionTop, PageItem::kColour1, PageItem::kGameMode, PageItem::kProfile,
        PageItem::kMacro, PageItem::kDeadButton, PageItem::kHelp}) {
    EXPECT_TRUE(Click(item).key_click) << PageItemIndex(item);
  }
  ASSERT_TRUE(model_.state().help_open);
  EXPECT_FALSE(model_.OnButtonUp(500, 300).key_click) << "the release closes the help window";
  EXPECT_TRUE(model_.OnButtonUp(500, 300).key_click);
  model_.OpenEffectList();
  EXPECT_FALSE(model_.OnButtonUp(500, 300).key_click) << "the release closes the list only";
  Click(PageItem::kApply);
  EXPECT_FALSE(model_.OnButtonUp(500, 300).key_click) << "editing is locked";
}

TEST_F(MainWindowModelTest, TitleStripDragsOnlyWhereThereIsNoButton) {
  model_.OnButtonDown(500, 10);
  EXPECT_TRUE(model_.state().dragging);
  EXPECT_TRUE(model_.OnMouseMove(505, 12).Has(R::kStartWindowMove));
  EXPECT_FALSE(model_.state().dragging);

  model_.OnButtonDown(940, 10);
  EXPECT_FALSE(model_.OnMouseMove(940, 10).Has(R::kStartWindowMove)) << "over the help button";
  EXPECT_FALSE(model_.OnMouseMove(500, 31).Has(R::kStartWindowMove)) << "below the strip";
  EXPECT_FALSE(model_.OnMouseMove(500, 1).Has(R::kStartWindowMove)) << "above the strip";
  model_.OnButtonUp(500, 100);
  EXPECT_FALSE(model_.state().dragging);
  EXPECT_FALSE(model_.OnMouseMove(500, 10).Has(R::kStartWindowMove)) << "button is up";

  Click(PageItem::kHelp);
  model_.OnButtonDown(500, 10);
  EXPECT_FALSE(model_.OnMouseMove(500, 10).Has(R::kStartWindowMove)) << "help is open";
}

TEST_F(MainWindowModelTest, SliderNotificationsFollowTheLastPositionSeen) {
  EXPECT_TRUE(model_.OnSliderNotified(SliderId::kReportRate, 3));
  EXPECT_EQ(image_.report_rate(), 3);
  EXPECT_FALSE(model_.OnSliderNotified(SliderId::kReportRate, 3));
}

TEST(MainWindowWithoutTray, IsNeverHidden) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  MainWindowModel model(image, snapshot, /*tray_available=*/false);
  const auto startup = model.OnStartup(false, false);
  EXPECT_EQ(std::ranges::count(startup, R::kHideWindow), 0);
  EXPECT_EQ(std::ranges::count(startup, R::kStartFullRead), 0);
  EXPECT_TRUE(model.visibility().ShowsNoKeyboardNotice());

  const PixelRect minimise = PageItemTable::RectOf(PageItem::kMinimise);
  const ClickResult result = model.OnButtonUp(minimise.left, minimise.top);
  EXPECT_EQ(result.requests, (std::vector<R>{R::kMinimiseWindow}));
  EXPECT_FALSE(model.OnButtonUp(0, 0).Has(R::kHideWindow));
}

TEST(MainWindowWithTray, HidesWithoutAKeyboardUntilTheTrayShowsIt) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  MainWindowModel model(image, snapshot, /*tray_available=*/true);
  EXPECT_EQ(model.OnStartup(true, false).front(), R::kHideWindow) << "either open failing hides";
  model.visibility().OnKeyboardRemoved();
  EXPECT_EQ(model.visibility().OnTrayDoubleClick(), (std::vector<R>{R::kShowNoKeyboardBalloon}));
  const auto arrival = model.visibility().OnKeyboardConnected();
  EXPECT_EQ(std::ranges::count(arrival, R::kShowWindow), 0) << "arrival does not show it";
  EXPECT_EQ(model.visibility().OnTrayDoubleClick(), (std::vector<R>{R::kShowWindow}));
}

// The keyboard taking over from the fallback simulator connects again: whether the window was
// hidden to the tray or shown, it stays as it is.
TEST(MainWindowWithTray, AConnectAfterStartUpNeverShowsRaisesOrHidesTheWindow) {
  for (const auto& [command_open, event_open] :
       {std::pair{true, true}, {true, false}, {false, false}}) {
    ConfigImage image;
    DeviceSnapshot snapshot;
    MainWindowModel model(image, snapshot, /*tray_available=*/true);
    model.OnStartup(false, false);
    const auto again = model.OnStartup(command_open, event_open);
    EXPECT_EQ(std::ranges::count(again, R::kShowWindow), 0) << command_open << event_open;
    EXPECT_EQ(std::ranges::count(again, R::kHideWindow), 0) << command_open << event_open;
    EXPECT_EQ(model.visibility().keyboard_connected(), command_open);
  }
}

}  // namespace
}  // namespace n240qx
