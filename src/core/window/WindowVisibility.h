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
  // Started with --minimized (at login): start-up hides the window to the tray even with the
  // keyboard there; without a tray the window shows as usual.
  void SetStartMinimized(bool minimized) { start_minimized_ = minimized; }
  bool keyboard_connected() const { return keyboard_connected_; }
  // The window paints the no-keyboard notice while this holds.
  bool ShowsNoKeyboardNotice() const { return !keyboard_connected_; }

  // What "hide the window" becomes here.
  WindowRequest HideRequest() const {
    return tray_available_ ? WindowRequest::kHideWindow : WindowRequest::kMinimiseWindow;
  }

  // After start-up tried both keyboard interfaces: without both, or when started minimized,
  // the window hides to the tray; without a tray it stays (showing the notice when needed).
  // A later connect (the keyboard taking over from the fallback simulator) is an arrival: it
  // never shows, raises or hides the window.
  std::vector<WindowRequest> OnStartup(bool command_open, bool event_open);
  // The keyboard is attached but may not be opened: the window stays shown with what to do,
  // and the tray's balloon says it too. Cleared once the keyboard is connected.
  void SetPermissionDenied(bool denied) { permission_denied_ = denied; }
  bool permission_denied() const { return permission_denied_; }
  // A double-click on the tray icon.
  std::vector<WindowRequest> OnTrayDoubleClick() const;

  // The command interface was opened (start-up or arrival) or lost (removal). Arrival does not
  // show a hidden window; the user does, from the tray.
  std::vector<WindowRequest> OnKeyboardConnected();
  std::vector<WindowRequest> OnKeyboardRemoved();

 private:
  bool tray_available_;
  bool keyboard_connected_ = false;
  bool start_minimized_ = false;
  bool permission_denied_ = false;
  bool started_ = false;
};

}  // namespace n240qx
