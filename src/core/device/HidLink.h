#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/DeviceLockHold.h"
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
  // Tries once, without waiting, to keep other programs off the keyboard behind `path`: a
  // hold, or null while another program has it. A transport no other program can reach
  // needs no lock.
  virtual Result<std::unique_ptr<DeviceLockHold>> TryLockDevice(const std::string& path) {
    static_cast<void>(path);
    return std::make_unique<DeviceLockHold>();
  }
};

}  // namespace n240qx
