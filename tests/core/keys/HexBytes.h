#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace n240qx::testing {

// Failing byte comparisons print the actual bytes ready to paste into a vector.
inline std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const auto byte : bytes) {
    char part[4];
    std::snprintf(part, sizeof part, "%02X ", byte);
    text += part;
  }
  if (!text.empty()) {
    text.pop_back();
  }
  return text;
}

}  // namespace n240qx::testing
