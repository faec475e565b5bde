#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace n240qx::test {

// "05 01 09 06", ready to paste back into a test as the expected bytes.
inline std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char part[4];
  for (std::uint8_t byte : bytes) {
    std::snprintf(part, sizeof(part), "%02X ", static_cast<unsigned>(byte));
    text += part;
  }
  if (!text.empty()) {
    text.pop_back();
  }
  return text;
}

inline std::vector<std::uint8_t> FromHex(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::istringstream in(text);
  unsigned value = 0;
  while (in >> std::hex >> value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

inline std::filesystem::path HidDataDir() {
  return std::filesystem::path(N240QX_TEST_DATA_DIR) / "hid";
}

}  // namespace n240qx::test
