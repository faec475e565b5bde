#include "support/Hex.h"

#include <cstdio>
#include <sstream>

namespace n240qx::testing {

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) {
    char part[4];
    std::snprintf(part, sizeof part, "%02X ", static_cast<unsigned>(byte));
    text += part;
  }
  if (!text.empty()) {
    text.pop_back();
  }
  return text;
}

std::vector<std::uint8_t> FromHex(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::istringstream in{std::string(text)};
  unsigned value = 0;
  while (in >> std::hex >> value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

}  // namespace n240qx::testing
