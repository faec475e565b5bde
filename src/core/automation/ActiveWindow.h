#pragma once

#include <string>

namespace n240qx {

// The window that has the focus, as the window system names it. On X11 the two parts of
// WM_CLASS; on Wayland the compositor's app id stands in for the class and the instance is
// empty.
struct ActiveWindow {
  std::string instance_name;
  std::string class_name;
  std::string title;
  // 0 when the window system does not say (_NET_WM_PID is optional).
  int pid = 0;
};

}  // namespace n240qx
