#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace n240qx::testing {

// "05 01 09 06": failing byte comparisons print the actual bytes ready to paste into a test.
std::string Hex(std::span<const std::uint8_t> bytes);
// The bytes of "05 01 09 06" (any whitespace between them); stops at the first non-hex word.
std::vector<std::uint8_t> FromHex(std::string_view text);

}  // namespace n240qx::testing
