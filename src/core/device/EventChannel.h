#pragma once

#include <memory>
#include <mutex>
#include <optional>

#include "device/EventReport.h"
#include "device/HidDevice.h"
#include "util/Result.h"

namespace n240qx {

// The listener never waits longer than this, so that a stop request is seen promptly.
inline constexpr int kMaxEventWaitMs = 200;

// The event interface, read only by the listener thread. It shares nothing with the command
// channel; its lock only lets another thread close it between two reads.
class EventChannel {
 public:
  bool IsOpen() const;
  void Attach(std::unique_ptr<HidDevice> device);
  void Close();

  // Waits at most min(timeout_ms, kMaxEventWaitMs); nullopt when no report came in that time
  // (or one too short to carry a kind). kNotOpen once closed, kDisconnected after an unplug.
  Result<std::optional<EventReport>> ReadEventReport(int timeout_ms);

 private:
  mutable std::mutex mutex_;
  std::unique_ptr<HidDevice> device_;
};

}  // namespace n240qx
