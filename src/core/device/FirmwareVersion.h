#pragma once

#include <compare>
#include <cstdint>

namespace n240qx {

// The keyboard's firmware version from answer bytes 2 and 3 of command 0x80; ordered by major,
// then minor, as the update check compares them.
struct FirmwareVersion {
  std::uint8_t major = 0;
  std::uint8_t minor = 0;

  friend auto operator<=>(const FirmwareVersion&, const FirmwareVersion&) = default;
};

}  // namespace n240qx
