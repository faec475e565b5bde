#include "window/WindowVisibility.h"

#include <utility>

namespace n240qx {

std::vector<WindowRequest> WindowVisibility::OnStartup(bool command_open, bool event_open) {
  keyboard_connected_ = command_open;
  if (std::exchange(started_, true)) {
    return {WindowRequest::kRepaint};
  }
  if (command_open && event_open && !(start_minimized_ && tray_available_)) {
    return {WindowRequest::kShowWindow};
  }
  if (!command_open && permission_denied_) {
    // Hidden in the tray, the explanation would be painted into a window nobody sees.
    return {WindowRequest::kShowWindow, WindowRequest::kShowNoKeyboardBalloon,
            WindowRequest::kRepaint};
  }
  if (tray_available_) {
    return {WindowRequest::kHideWindow};
  }
  return {WindowRequest::kShowWindow, WindowRequest::kRepaint};
}

std::vector<WindowRequest> WindowVisibility::OnTrayDoubleClick() const {
  if (keyboard_connected_) {
    return {WindowRequest::kShowWindow};
  }
  if (permission_denied_) {
    return {WindowRequest::kShowWindow, WindowRequest::kShowNoKeyboardBalloon};
  }
  return {WindowRequest::kShowNoKeyboardBalloon};
}

std::vector<WindowRequest> WindowVisibility::OnKeyboardConnected() {
  keyboard_connected_ = true;
  permission_denied_ = false;
  return {WindowRequest::kRepaint};
}

std::vector<WindowRequest> WindowVisibility::OnKeyboardRemoved() {
  keyboard_connected_ = false;
  return {WindowRequest::kRepaint};
}

}  // namespace n240qx
