#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "util/Result.h"

namespace n240qx {

// One open interface of the keyboard. In every report byte 0 is the report id, whatever the
// platform library's own convention is. Implementations are used by one thread at a time, but
// different devices of one link may be used from different threads at once.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  // Each returns the number of bytes transferred, or an error; a device that went away answers
  // ErrorCode::kDisconnected from then on.
  virtual Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t> report) = 0;
  virtual Result<std::size_t> GetFeatureReport(std::span<std::uint8_t> report) = 0;
  virtual Result<std::size_t> WriteReport(std::span<const std::uint8_t> report) = 0;
  // Waits at most timeout_ms for one input report; returns 0 when none arrived in that time.
  virtual Result<std::size_t> ReadReport(std::span<std::uint8_t> report, int timeout_ms) = 0;
  // Any thread: makes the ReadReport waiting now, or else the next one, return 0 at once, so
  // that a closing session need not sit out a read's time-out. A device that cannot be woken
  // keeps this default and its reader sees the close within its time-out.
  virtual void InterruptRead() {}
};

}  // namespace n240qx
