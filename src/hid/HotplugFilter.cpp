#include "hid/HotplugFilter.h"

#include <cstdint>

#include "device/KeyboardIds.h"

namespace n240qx {

std::optional<HotplugEvent> ClassifyHidrawEvent(std::string_view action,
                                                const std::optional<HidId>& id) {
  if (!id || id->vendor_id != kKeyboardVendorId ||
      (id->product_id != kKeyboardProductId && id->product_id != kUpdateModeProductId)) {
    return std::nullopt;
  }
  if (action == "add") {
    return HotplugEvent::kArrival;
  }
  if (action == "remove") {
    return HotplugEvent::kRemoval;
  }
  return std::nullopt;
}

}  // namespace n240qx
