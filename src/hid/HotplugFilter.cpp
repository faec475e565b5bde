#include "hid/HotplugFilter.h"

#include <cstdint>

namespace n240qx {

namespace {

constexpr std::uint16_t kWatchedVendorId = 0x04D9;
constexpr std::uint16_t kWatchedProductId = 0xA124;
constexpr std::uint16_t kWatchedUpdateModeProductId = 0xA126;

}  // namespace

std::optional<HotplugEvent> ClassifyHidrawEvent(std::string_view action,
                                                const std::optional<HidId>& id) {
  if (!id || id->vendor_id != kWatchedVendorId ||
      (id->product_id != kWatchedProductId && id->product_id != kWatchedUpdateModeProductId)) {
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
