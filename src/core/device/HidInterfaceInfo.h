#pragma once

#include <cstdint>
#include <string>

namespace n240qx {

// One HID top-level collection as the device search sees it. The path has the Windows form,
// "<node>#vid_04d9&pid_a124&mi_03&col04", so that the interface markers match unchanged.
struct HidInterfaceInfo {
  std::string path;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  // Set when the node exists but this user may not open it (no udev rule yet).
  bool permission_denied = false;
};

}  // namespace n240qx
