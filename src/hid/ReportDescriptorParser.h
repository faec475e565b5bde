#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "hid/HidTopLevelCollection.h"
#include "util/Result.h"

namespace n240qx {

// Reads a HID report descriptor and returns its top-level collections in descriptor order;
// kBadData when the descriptor is cut short, unbalanced or otherwise cannot be a descriptor.
Result<std::vector<HidTopLevelCollection>> ParseReportDescriptor(
    std::span<const std::uint8_t> descriptor);

}  // namespace n240qx
