#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/HidDevice.h"
#include "device/HidInterfaceInfo.h"
#include "util/Result.h"

namespace n240qx {

// The transport below the device link: the hidapi backend on a real machine, the keyboard
// simulator in tests and with --simulate.
class HidLink {
 public:
  virtual ~HidLink() = default;
  // Every HID top-level collection present now, in enumeration order.
  virtual std::vector<HidInterfaceInfo> EnumerateInterfaces() = 0;
  // Opens one interface by the path EnumerateInterfaces gave; kNotFound when it is gone,
  // kPermissionDenied when the node may not be opened.
  virtual Result<std::unique_ptr<HidDevice>> Open(const std::string& path) = 0;
};

}  // namespace n240qx
