#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hid/HidrawNode.h"
#include "util/Result.h"

namespace n240qx {

// Describes the machine's hidraw nodes from sysfs, which holds everything the Windows device
// search asked the HID class driver for: class/hidraw/hidrawN/device is the HID device (its
// report_descriptor and its uevent with HID_ID), and the folder above it the USB interface
// (bInterfaceNumber). Recorded sysfs trees stand in for the machine in tests.
class SysfsHidScanner {
 public:
  // True when this user may not open the node for reading and writing.
  using AccessDenied = std::function<bool(const std::string& node)>;

  // `access_denied` defaults to asking access(2).
  explicit SysfsHidScanner(std::filesystem::path sysfs_root = "/sys",
                           std::filesystem::path dev_root = "/dev",
                           AccessDenied access_denied = {});

  // Every hidraw node, by node number. Nodes that vanish or cannot be read are listed with
  // `problem` set and no collections.
  std::vector<HidrawNode> Scan() const;
  // One node by name ("hidraw3"); kNotFound when sysfs has no such node, kBadData when its
  // descriptor or ids cannot be read, kInvalidArgument for a name that is not a hidraw node.
  Result<HidrawNode> Describe(std::string_view name) const;

 private:
  std::filesystem::path sysfs_root_;
  std::filesystem::path dev_root_;
  AccessDenied access_denied_;
};

}  // namespace n240qx
