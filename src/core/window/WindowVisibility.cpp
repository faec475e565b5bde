#include "window/WindowVisibility.h"

#include <utility>

namespace n240qx {

std::vector<WindowRequest> WindowVisibility::OnStartup(bool command_open, bool event_open) {
  keyboard_connected_ = command_open;
  if (std::exchange(started_, true)) {
    return {WindowRequest::kRepaint};
  }
  if (command_open && event_open) {
    return {WindowRequest::kShowWindow};
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
  return {WindowRequest::kShowNoKeyboardBalloon};
}

std::vector<WindowRequest> WindowVisibility::OnKeyboardConnected() {
  keyboard_connected_ = true;
  return {WindowRequest::kRepaint};
}

std::vector<WindowRequest> WindowVisibility::OnKeyboardRemoved() {
  keyboard_connected_ = false;
  return {WindowRequest::kRepaint};
}

}  // namespace n240qx
