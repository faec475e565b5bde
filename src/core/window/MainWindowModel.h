#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/EditStep.h"
#include "app/RefreshSource.h"
#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"
#include "lighting/EffectTable.h"
#include "util/Result.h"
#include "window/ClickResult.h"
#include "window/HelpWindowModel.h"
#include "window/MainWindowState.h"
#include "window/SliderPanels.h"
#include "window/WindowVisibility.h"

namespace n240qx {
class LightingPage;
}

namespace n240qx {

// The rules of the main window: what a mouse event at (x, y) does, the window state, and the
// requests the window carries out. The window paints what this says and forwards input to it.
class MainWindowModel {
 public:
  // With a lighting page, the page keeps the effect list and per-key mode (one copy of each)
  // and this model hands it the lighting items, the list and the speed and brightness
  // sliders; without one (tests of the window's own rules) the model keeps them itself.
  MainWindowModel(ConfigImage& image, const DeviceSnapshot& snapshot, bool tray_available,
                  LightingPage* lighting_page = nullptr);

  MainWindowState state() const;
  const HelpWindowModel& help() const { return help_; }
  WindowVisibility& visibility() { return visibility_; }
  const WindowVisibility& visibility() const { return visibility_; }
  SliderPanels& slider_panels() { return slider_panels_; }

  // Button-up: the open effect list first, then the help window, then the page items (the
  // Keymap / Custom choice before all others while a lighting profile effect is chosen), and
  // last the keyboard view.
  ClickResult OnButtonUp(int x, int y);
  ClickResult OnButtonDown(int x, int y);
  // While the effect list is open, every move goes to the lighting page (row hover); only
  // moves outside the list reach the keyboard view as well.
  ClickResult OnMouseMove(int x, int y);

  // The effect list and per-key mode, wherever they are kept.
  void OpenEffectList();
  void CloseEffectList();
  // Picking an effect from the list: lighting profiles switch per-key colour mode on.
  void OnEffectPicked(std::uint8_t effect_code) {
    SetPerKeyMode(effect_code >= EffectTable::kFirstProfile);
  }
  void SetPerKeyMode(bool on);
  // The slider windows take no input while the list covers them or a sequence runs.
  bool SliderWindowsShown() const { return !EffectListOpen(); }
  bool SlidersEnabled() const { return SliderWindowsShown() && !state_.EditingLocked(); }

  // Start-up after both keyboard interfaces were tried: visibility, then the full read on the
  // worker. The window never waits for the read; editing is locked until it is done.
  std::vector<WindowRequest> OnStartup(bool command_open, bool event_open);
  // The full read is done (or any later read): back to idle, then the refresh.
  std::vector<WindowRequest> OnReadFinished();
  // The refresh after the image was replaced from the keyboard or from a profile.
  std::vector<WindowRequest> OnRefresh(RefreshSource source) const;
  std::vector<WindowRequest> OnProfileDialogClosed() const {
    return OnRefresh(RefreshSource::kProfileChange);
  }
  // An arrival's re-read was applied. After the reset that follows a firmware update per-key
  // colour mode is left, as after the reset from the help window. The refresh follows only
  // when the keyboard can be heard again (`listening`); otherwise the sliders and the marked
  // keys still follow the re-read image, but the key assignment store is not rewritten and
  // the firmware is not checked.
  std::vector<WindowRequest> OnArrivalRead(bool reset_after_update, bool listening);

  // An arrival's handling on the worker started or ended: editing is locked in between.
  void OnArrivalRunning(bool running) { state_.arrival_running = running; }
  void OnWaitingForKeyboard(bool waiting) { state_.waiting_for_keyboard = waiting; }

  // The write of changes on the worker is done and ConfiguratorState::FinishWrite has applied
  // it: editing is unlocked.
  std::vector<WindowRequest> OnApplyFinished(const Status& outcome);
  // Apply, as its button does: editing locked while the write runs.
  std::vector<WindowRequest> Apply();
  // Lighting from outside the window (an SDK client), or a caller's change on the session bus,
  // went into the image and is written with
  // the write of changes: the page and the sliders follow it, editing is locked until
  // OnApplyFinished. Nothing while editing is locked already; the lighting waits then.
  std::optional<std::vector<WindowRequest>> OnOutsideLightingWrite();

  std::vector<WindowRequest> OnFactoryResetAnswer(bool confirmed);
  std::vector<WindowRequest> OnFactoryResetFinished(const Status& outcome);

  // Tray "Exit" ends without writing; the close button writes the snapshots first.
  static std::vector<WindowRequest> OnTrayExit() { return {WindowRequest::kEndProgram}; }

  // The slider notification: a moved slider repaints its panel and updates its field.
  bool OnSliderNotified(SliderId id, int position);

  // Undo and redo wait while a sequence runs, while the effect list or the help window covers
  // the page and while the button is down.
  bool CanStepEdits() const;
  // An undo or redo changed the image: the page, the sliders and the keyboard view follow it
  // as after Restore (per-key mode only when the effect changed); the marked keys and
  // keymap.bin only when the step touched key settings, which the key dialog reloads.
  std::vector<WindowRequest> OnEditStepped(const EditStep& step);

 private:
  ClickResult OnPageItem(PageItem item);
  ClickResult OnHelpClick(int x, int y);
  std::vector<WindowRequest> Revert();
  bool CanStartDragAt(int x, int y) const;
  bool EffectListOpen() const;
  ClickResult OnEffectListRelease(int x, int y);
  ClickResult OnEffectListMove(int x, int y);

  ConfigImage& image_;
  const DeviceSnapshot& snapshot_;
  MainWindowState state_;
  HelpWindowModel help_;
  WindowVisibility visibility_;
  SliderPanels slider_panels_;
  LightingPage* lighting_page_;
};

}  // namespace n240qx
