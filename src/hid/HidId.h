#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace n240qx {

// Bus, vendor and product of a HID device as the kernel names it: the HID_ID line of the HID
// device's uevent ("0003:000004D9:0000A124") or the HID device's own name ("0003:04D9:A124.0007").
struct HidId {
  std::uint16_t bus = 0;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;

  bool operator==(const HidId&) const = default;

  // nullopt unless `text` is three colon-separated hex fields that fit 16 bits each.
  static std::optional<HidId> FromHidIdValue(std::string_view text);
  // From the whole text of a uevent file: the value of its HID_ID line.
  static std::optional<HidId> FromUevent(std::string_view uevent);
  // From a device path ("/devices/.../0003:04D9:A124.0007/hidraw/hidraw3"): the last component
  // that is a HID device name. Removal events carry nothing else, as the parent is gone by then.
  static std::optional<HidId> FromDevicePath(std::string_view devpath);
};

}  // namespace n240qx
