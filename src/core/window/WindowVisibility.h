#pragma once

#include <vector>

#include "window/WindowRequest.h"

namespace n240qx {

// When the window hides, and what shows the missing keyboard. A window is only hidden when
// a tray icon exists to bring it back; without a tray it stays (or goes to the task bar) and
// shows the missing keyboard itself.
class WindowVisibility {
 public:
  explicit WindowVisibility(bool tray_available) : tray_available_(tray_available) {}

  bool tray_available() const { return tray_available_; }
  bool keyboard_connected() const { return keyboard_connected_; }
  // The window paints the no-keyboard notice while this holds.
  bool ShowsNoKeyboardNotice() const { return !keyboard_connected_; }

  // What "hide the window" becomes here.
  WindowRequest HideRequest() const {
    return tray_available_ ? WindowRequest::kHideWindow : WindowRequest::kMinimiseWindow;
  }

  // After start-up tried both keyboard interfaces: without both, the window hides to the tray,
  // or stays and shows the notice when there is no tray. A later connect (the keyboard taking
  // over from the fallback simulator) is an arrival: it never shows, raises or hides the
  // window.
  std::vector<WindowRequest> OnStartup(bool command_open, bool event_open);
  // A double-click on the tray icon.
  std::vector<WindowRequest> OnTrayDoubleClick() const;

  // The command interface was opened (start-up or arrival) or lost (removal). Arrival does not
  // show a hidden window; the user does, from the tray.
  std::vector<WindowRequest> OnKeyboardConnected();
  std::vector<WindowRequest> OnKeyboardRemoved();

 private:
  bool tray_available_;
  bool keyboard_connected_ = false;
  bool started_ = false;
};

}  // namespace n240qx
