#pragma once

#include "app/DeviceActivity.h"

namespace n240qx {

// The main window's own state; everything starts cleared.
struct MainWindowState {
  bool effect_list_open = false;
  bool help_open = false;
  // Key clicks pick keys for per-key colours instead of opening the key assignment dialog.
  bool per_key_mode = false;
  // The left button went down inside the window and has not come up.
  bool dragging = false;
  DeviceActivity activity = DeviceActivity::kIdle;
  // The keyboard was plugged in and is being settled and read; it may come on top of any of
  // the sequences above.
  bool arrival_running = false;
  // The running sequence waits for another program to let go of the keyboard.
  bool waiting_for_keyboard = false;

  bool EditingLocked() const { return activity != DeviceActivity::kIdle || arrival_running; }
};

}  // namespace n240qx
