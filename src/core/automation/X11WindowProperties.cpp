#include "automation/X11WindowProperties.h"

#include <limits>
#include <string_view>

namespace n240qx {

namespace {

// The part of `text` up to its first NUL, and what follows it.
std::string_view NextPart(std::string_view& text) {
  const std::size_t end = text.find('\0');
  const std::string_view part = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  return part;
}

}  // namespace

ActiveWindow X11WindowProperties::ToActiveWindow() const {
  ActiveWindow window;
  std::string_view parts = wm_class;
  window.instance_name = NextPart(parts);
  window.class_name = NextPart(parts);
  window.title = net_wm_name.empty() ? wm_name : net_wm_name;
  constexpr auto kMaxPid = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
  if (net_wm_pid && *net_wm_pid <= kMaxPid) {
    window.pid = static_cast<int>(*net_wm_pid);
  }
  return window;
}

}  // namespace n240qx
