#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace n240qx {

// 0-15 for a hex digit of either case, -1 for anything else.
int HexDigitValue(char c);
// Upper-case hex, two digits a byte, no separators: "00E0E24C".
std::string HexString(std::span<const std::uint8_t> bytes);
// The bytes of an even number of hex digits (either case); nothing for anything else.
std::optional<std::vector<std::uint8_t>> ParseHexString(std::string_view text);

}  // namespace n240qx
