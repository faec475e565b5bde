#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace n240qx {

// What one call on an open hidraw node gave: hidapi's return value (bytes, 0 for a read that
// timed out, -1 for failure) and errno as the call left it (0 when it set none).
struct RawHidResult {
  int value = -1;
  int error_number = 0;
};

// The calls the program makes on one open hidraw node, in hidapi's own conventions: byte 0 of
// every buffer is the report number, and reads return the report as the kernel delivers it.
// hidapi is behind it in the program; tests put a scripted node there.
class RawHidHandle {
 public:
  virtual ~RawHidHandle() = default;
  virtual RawHidResult SendFeature(std::span<const std::uint8_t> report) = 0;
  virtual RawHidResult GetFeature(std::span<std::uint8_t> report) = 0;
  virtual RawHidResult Write(std::span<const std::uint8_t> report) = 0;
  // Waits at most timeout_ms (without limit when negative) for one input report.
  virtual RawHidResult Read(std::span<std::uint8_t> buffer, int timeout_ms) = 0;
  // The library's words for the last failure, for error messages.
  virtual std::string LastError() = 0;
};

}  // namespace n240qx
