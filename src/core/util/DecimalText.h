#pragma once

#include <optional>
#include <string_view>

namespace n240qx {

// A decimal number without sign, within `max`; nothing for anything else.
std::optional<int> ParseDecimal(std::string_view text, int max);

}  // namespace n240qx
