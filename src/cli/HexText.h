#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "util/AsciiText.h"

namespace n240qx {

// Upper-case hex, two digits a byte, no separators: "00E0E24C".
std::string HexString(std::span<const std::uint8_t> bytes);
// A decimal number without sign, within `max`; nothing for anything else.
std::optional<int> ParseDecimal(std::string_view text, int max);

}  // namespace n240qx
