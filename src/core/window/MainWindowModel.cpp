#include "window/MainWindowModel.h"

#include <utility>

#include "lighting/LightingPage.h"
#include "window/FactoryResetFlow.h"
#include "window/PageItemTable.h"
#include "window/PerformancePanel.h"

namespace n240qx {

namespace {

// The title strip drags the window where it has no button.
constexpr int kDragTop = 2;
constexpr int kDragBottom = 30;

ClickResult Handled(std::vector<WindowRequest> requests) {
  return {ClickRoute::kMainWindow, std::nullopt, std::move(requests)};
}

}  // namespace

MainWindowModel::MainWindowModel(ConfigImage& image, const DeviceSnapshot& snapshot,
                                 bool tray_available, LightingPage* lighting_page)
    : image_(image),
      snapshot_(snapshot),
      visibility_(tray_available),
      lighting_page_(lighting_page) {}

MainWindowState MainWindowModel::state() const {
  MainWindowState state = state_;
  if (lighting_page_ != nullptr) {
    state.effect_list_open = lighting_page_->effect_list_open();
    state.per_key_mode = lighting_page_->per_key_mode();
  }
  return state;
}

bool MainWindowModel::EffectListOpen() const {
  return state().effect_list_open;
}

void MainWindowModel::OpenEffectList() {
  state_.effect_list_open = true;
  if (lighting_page_ != nullptr) {
    lighting_page_->OpenEffectList();
  }
}

void MainWindowModel::CloseEffectList() {
  state_.effect_list_open = false;
  if (lighting_page_ != nullptr) {
    lighting_page_->CloseEffectList();
  }
}

void MainWindowModel::SetPerKeyMode(bool on) {
  state_.per_key_mode = on;
  if (lighting_page_ != nullptr) {
    lighting_page_->SetPerKeyMode(on);
  }
}

bool MainWindowModel::OnSliderNotified(SliderId id, int position) {
  const bool lighting_slider = id == SliderId::kSpeed || id == SliderId::kBrightness;
  if (lighting_slider && lighting_page_ != nullptr) {
    return lighting_page_->OnSliderPosition(id, position);
  }
  return slider_panels_.OnPositionMayHaveChanged(id, position, image_);
}

ClickResult MainWindowModel::OnButtonDown(int /*x*/, int /*y*/) {
  state_.dragging = true;
  return Handled({});
}

bool MainWindowModel::CanStartDragAt(int x, int y) const {
  return !EffectListOpen() && !state_.help_open && y >= kDragTop && y <= kDragBottom &&
         !PageItemTable::HitTest(x, y, image_.light_effect());
}

ClickResult MainWindowModel::OnMouseMove(int x, int y) {
  if (EffectListOpen()) {
    return OnEffectListMove(x, y);
  }
  if (state_.dragging && CanStartDragAt(x, y)) {
    // The window system takes the drag over and the release may never reach us.
    state_.dragging = false;
    return Handled({WindowRequest::kStartWindowMove});
  }
  return {ClickRoute::kKeyboardView, std::nullopt, {}};
}

ClickResult MainWindowModel::OnEffectListMove(int x, int y) {
  // The list covers only part of the column: the keyboard drawing beside it still hovers and
  // takes a band.
  const bool over_list = LightingPage::kListArea.Contains(x, y);
  ClickResult result{
      over_list ? ClickRoute::kEffectList : ClickRoute::kKeyboardView, std::nullopt, {}};
  if (lighting_page_ != nullptr && lighting_page_->OnListHover(x, y)) {
    result.requests.push_back(WindowRequest::kRepaint);
  }
  return result;
}

ClickResult MainWindowModel::OnButtonUp(int x, int y) {
  state_.dragging = false;
  const std::optional<PageItem> item = PageItemTable::HitTest(x, y, image_.light_effect());
  if (state_.EditingLocked()) {
    // Only leaving the window is allowed while the keyboard is busy.
    if (item == PageItem::kMinimise) {
      return OnPageItem(*item);
    }
    return {ClickRoute::kIgnored, std::nullopt, {}};
  }
  if (EffectListOpen()) {
    return OnEffectListRelease(x, y);
  }
  if (state_.help_open) {
    return OnHelpClick(x, y);
  }
  if (item && IsLightingPageItem(*item)) {
    if (lighting_page_ != nullptr) {
      lighting_page_->OnItemButtonUp(*item, x, y);
    }
    return {ClickRoute::kLightingItem, item, {WindowRequest::kRepaint}, true};
  }
  if (!item || item == PageItem::kDeadButton) {
    return {ClickRoute::kKeyboardView, item, {WindowRequest::kRepaint}, true};
  }
  ClickResult result = OnPageItem(*item);
  result.key_click = true;
  return result;
}

ClickResult MainWindowModel::OnEffectListRelease(int x, int y) {
  // Any release closes the list; the lighting page picks the row if there is one.
  state_.effect_list_open = false;
  if (lighting_page_ != nullptr) {
    lighting_page_->OnListButtonUp(x, y);
  }
  return {ClickRoute::kEffectList, std::nullopt, {WindowRequest::kRepaint}};
}

ClickResult MainWindowModel::OnHelpClick(int x, int y) {
  const HelpChoice choice = help_.OnButtonUp(x, y);
  state_.help_open = help_.open();
  switch (choice) {
    case HelpChoice::kFactoryReset:
      return Handled({WindowRequest::kRepaint, WindowRequest::kConfirmFactoryReset});
    case HelpChoice::kFirmwareUpdate:
      return Handled({WindowRequest::kLaunchUpdater});
    case HelpChoice::kAbout:
      return Handled({WindowRequest::kRepaint, WindowRequest::kShowAbout});
    case HelpChoice::kClose:
      break;
  }
  return Handled({WindowRequest::kRepaint});
}

ClickResult MainWindowModel::OnPageItem(PageItem item) {
  ClickResult result = Handled({});
  result.item = item;
  switch (item) {
    case PageItem::kHelp:
      help_.Open();
      state_.help_open = true;
      result.requests = {WindowRequest::kRepaint};
      break;
    case PageItem::kMinimise:
      result.requests = {visibility_.HideRequest()};
      break;
    case PageItem::kClose:
      // Unapplied edits are dropped: the store gets what the keyboard holds.
      result.requests = {WindowRequest::kSaveSnapshotsToStore, WindowRequest::kEndProgram};
      break;
    case PageItem::kGameMode:
      PerformancePanel::ToggleGameMode(image_);
      result.requests = {WindowRequest::kRepaint};
      break;
    case PageItem::kWindowsKeyLock:
      PerformancePanel::ToggleWindowsKeyLock(image_);
      result.requests = {WindowRequest::kRepaint};
      break;
    case PageItem::kProfile:
      result.requests = {WindowRequest::kOpenProfileDialog};
      break;
    case PageItem::kMacro:
      result.requests = {WindowRequest::kOpenMacroDialog};
      break;
    case PageItem::kRestore:
      result.requests = Revert();
      break;
    case PageItem::kApply:
      result.requests = Apply();
      break;
    case PageItem::kKeymap:
      SetPerKeyMode(false);
      result.requests = {WindowRequest::kRepaint};
      break;
    case PageItem::kCustom:
      SetPerKeyMode(true);
      result.requests = {WindowRequest::kRepaint};
      break;
    default:
      result.requests = {WindowRequest::kRepaint};
      break;
  }
  return result;
}

std::vector<WindowRequest> MainWindowModel::Revert() {
  RestoreImageFromSnapshot(image_, snapshot_);
  SetPerKeyMode(image_.light_effect() >= EffectTable::kFirstProfile);
  // The sliders follow the image again; otherwise the next repaint would copy their old
  // positions back into the restored fields.
  return {visibility_.HideRequest(), WindowRequest::kRevertKeySettings,
          WindowRequest::kSetSlidersFromImage, WindowRequest::kRepaint};
}

bool MainWindowModel::CanStepEdits() const {
  return !state_.EditingLocked() && !EffectListOpen() && !state_.help_open && !state_.dragging;
}

std::vector<WindowRequest> MainWindowModel::OnEditStepped(const EditStep& step) {
  if (step.Touches(image_field::kLightEffect)) {
    SetPerKeyMode(image_.light_effect() >= EffectTable::kFirstProfile);
  }
  std::vector<WindowRequest> requests{WindowRequest::kSetSlidersFromImage};
  if (step.TouchesKeyActions() || step.Touches(image_field::kKeyMap) ||
      step.Touches(image_field::kKeyEnableMask)) {
    requests.push_back(WindowRequest::kRefreshKeySettings);
  }
  requests.push_back(WindowRequest::kRepaint);
  return requests;
}

std::vector<WindowRequest> MainWindowModel::OnStartup(bool command_open, bool event_open) {
  std::vector<WindowRequest> requests = visibility_.OnStartup(command_open, event_open);
  if (command_open) {
    state_.activity = DeviceActivity::kReading;
    requests.push_back(WindowRequest::kStartFullRead);
  }
  return requests;
}

std::vector<WindowRequest> MainWindowModel::OnReadFinished() {
  state_.activity = DeviceActivity::kIdle;
  return OnRefresh(RefreshSource::kKeyboardRead);
}

std::vector<WindowRequest> MainWindowModel::OnRefresh(RefreshSource source) const {
  std::vector<WindowRequest> requests{WindowRequest::kSetSlidersFromImage};
  if (source == RefreshSource::kKeyboardRead) {
    // ConfiguratorState has already refreshed the marked keys and keymap.bin with the read.
    requests.push_back(WindowRequest::kReadLightingAgain);
    requests.push_back(WindowRequest::kRepaint);
    requests.push_back(WindowRequest::kCheckFirmware);
    return requests;
  }
  requests.push_back(WindowRequest::kRefreshKeySettings);
  requests.push_back(WindowRequest::kRepaint);
  return requests;
}

std::vector<WindowRequest> MainWindowModel::OnArrivalRead(bool reset_after_update, bool listening) {
  if (reset_after_update) {
    SetPerKeyMode(false);
  }
  if (listening) {
    return OnRefresh(RefreshSource::kKeyboardRead);
  }
  // ConfiguratorState has recomputed the marked keys; keymap.bin and the firmware check wait
  // for an arrival the keyboard can be heard from.
  return {WindowRequest::kSetSlidersFromImage, WindowRequest::kRepaint};
}

std::vector<WindowRequest> MainWindowModel::Apply() {
  state_.activity = DeviceActivity::kWriting;
  return {WindowRequest::kApplyChanges, WindowRequest::kRepaint};
}

std::vector<WindowRequest> MainWindowModel::OnApplyFinished(const Status& /*outcome*/) {
  // ConfiguratorState has taken in what the write brought; an error is shown by the window.
  state_.activity = DeviceActivity::kIdle;
  return {WindowRequest::kRepaint};
}

std::optional<std::vector<WindowRequest>> MainWindowModel::OnOutsideLightingWrite() {
  if (state_.EditingLocked()) {
    return std::nullopt;
  }
  SetPerKeyMode(image_.light_effect() >= EffectTable::kFirstProfile);
  state_.activity = DeviceActivity::kWriting;
  return std::vector<WindowRequest>{WindowRequest::kSetSlidersFromImage, WindowRequest::kRepaint};
}

std::vector<WindowRequest> MainWindowModel::OnFactoryResetAnswer(bool confirmed) {
  help_.Close();
  auto requests = FactoryResetFlow::OnAnswer(confirmed, state_);
  if (confirmed) {
    SetPerKeyMode(false);
  }
  return requests;
}

std::vector<WindowRequest> MainWindowModel::OnFactoryResetFinished(const Status& outcome) {
  return FactoryResetFlow::OnFinished(outcome, state_);
}

}  // namespace n240qx
