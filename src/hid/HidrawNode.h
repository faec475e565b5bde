#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hid/HidId.h"
#include "hid/HidTopLevelCollection.h"
#include "util/Result.h"

namespace n240qx {

// One /dev/hidrawN as sysfs describes it: one USB interface of one HID device.
struct HidrawNode {
  std::string node;  // "/dev/hidraw3"
  // The node's "major:minor" as sysfs gives it, to tell the real node from anything else at
  // that path.
  std::string device_number;
  HidId id;
  // bInterfaceNumber of the USB interface; absent for HID devices not on USB.
  std::optional<int> interface_number;
  std::vector<HidTopLevelCollection> collections;
  bool permission_denied = false;
  // Why the node could not be described (unreadable or damaged descriptor); empty when fine.
  std::string problem;
};

// Whether `node.node` is the character device sysfs describes: hidapi must never be handed
// anything else, as opening a plain file or another device brings the process down.
// kNotFound when it is missing or something else.
Status VerifyHidrawNode(const HidrawNode& node);

}  // namespace n240qx
