#pragma once

#include <compare>
#include <cstdint>

namespace n240qx {

// The keyboard's firmware version from answer bytes 2 and 3 of command 0x80; ordered by major,
// then minor, as the update check compares them. Named apart from the update check's own
// FirmwareVersion so that both can meet in one translation unit.
struct DeviceFirmwareVersion {
  std::uint8_t major = 0;
  std::uint8_t minor = 0;

  friend auto operator<=>(const DeviceFirmwareVersion&, const DeviceFirmwareVersion&) = default;
};

}  // namespace n240qx
