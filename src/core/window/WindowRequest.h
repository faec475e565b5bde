#pragma once

namespace n240qx {

// Effects a model decision asks the window to carry out: the things that need the keyboard,
// files, other dialogs or the window system. The window performs them in the order given.
enum class WindowRequest {
  kRepaint,
  kHideWindow,      // to the tray: only ever asked when a tray icon exists
  kMinimiseWindow,  // to the task bar, where there is no tray to come back from
  kShowWindow,
  kShowNoKeyboardBalloon,
  kStartWindowMove,  // hand the drag to the window system, as a caption drag
  kStartFullRead,    // on the device worker; the window keeps painting meanwhile
  kApplyChanges,     // the write of changes on the device worker, then OnApplyFinished
  kRunFactoryReset,  // reset and re-read on the device worker, then OnFactoryResetFinished
  kSetSlidersFromImage,
  kReadLightingAgain,
  kCheckFirmware,
  kRefreshKeySettings,    // marked keys and keymap.bin after a profile: ConfiguratorState::Refresh
  kRevertKeySettings,     // key action table back too: ConfiguratorState::RevertKeySettings
  kSaveSnapshotsToStore,  // what the keyboard holds into keymap.bin
  kEndProgram,
  kOpenProfileDialog,
  kOpenMacroDialog,
  kOpenKeyDialog,        // the key assignment dialog for the key ConfiguratorState::pending() names
  kConfirmFactoryReset,  // ask FactoryResetFlow's prompt, answer through OnFactoryResetAnswer
  kLaunchUpdater,
  kStartRepaintCountdown,  // the keyboard changed the lighting: tick until the countdown ends
  kShowAbout,
};

}  // namespace n240qx
