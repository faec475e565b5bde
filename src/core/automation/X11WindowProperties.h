#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "automation/ActiveWindow.h"

namespace n240qx {

// The properties of the active X11 window as the server hands them over, and what the rules
// see of them.
struct X11WindowProperties {
  // WM_CLASS: the instance name and the class name, each ended by a NUL.
  std::string wm_class;
  // _NET_WM_NAME (UTF-8); WM_NAME where a program sets only the old one.
  std::string net_wm_name;
  std::string wm_name;
  std::optional<std::uint32_t> net_wm_pid;

  ActiveWindow ToActiveWindow() const;
};

}  // namespace n240qx
