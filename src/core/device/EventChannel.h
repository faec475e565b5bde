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
// channel. A read holds its own reference to the device, so another thread can close the
// channel or interrupt the read without waiting for the read's time-out.
class EventChannel {
 public:
  bool IsOpen() const;
  void Attach(std::unique_ptr<HidDevice> device);
  void Close();

  // Waits at most min(timeout_ms, kMaxEventWaitMs); nullopt when no report came in that time
  // (or one too short to carry a kind). kNotOpen once closed, kDisconnected after an unplug.
  Result<std::optional<EventReport>> ReadEventReport(int timeout_ms);
  // Any thread: the read waiting now (or else the next one) gives nullopt at once.
  void InterruptRead();

 private:
  std::shared_ptr<HidDevice> Device() const;

  mutable std::mutex mutex_;
  std::shared_ptr<HidDevice> device_;
};

}  // namespace n240qx
