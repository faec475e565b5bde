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

  bool EditingLocked() const { return activity != DeviceActivity::kIdle; }
};

}  // namespace n240qx
