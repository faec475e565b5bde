#include "device/DeviceRead.h"

#include <algorithm>
#include <array>

namespace n240qx {

namespace {

namespace field = image_field;

constexpr std::array kDeviceRegions = {
    field::kReportRate,     field::kKeyMap,          field::kMacros,   field::kResponseTime,
    field::kLighting,       field::kColourSlots,     field::kGameMode, field::kKeyEnableMask,
    field::kWindowsKeyLock, field::kKeyColourTables,
};

}  // namespace

std::span<const ImageField> DeviceRegions() {
  return kDeviceRegions;
}

void CopyDeviceRegions(const ImageBlock& from, ImageBlock& to) {
  for (const ImageField region : kDeviceRegions) {
    std::ranges::copy(from.Field(region), to.Field(region).begin());
  }
}

}  // namespace n240qx
