#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "util/AsciiText.h"
#include "util/HexBytes.h"

namespace n240qx {

// A decimal number without sign, within `max`; nothing for anything else.
std::optional<int> ParseDecimal(std::string_view text, int max);

}  // namespace n240qx
