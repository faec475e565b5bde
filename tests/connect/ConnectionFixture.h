#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "connect/QuietSessionEvents.h"
#include "device/DeviceSession.h"
#include "device/SessionEvents.h"
#include "support/Wait.h"
#include "util/QueueDispatcher.h"

namespace n240qx::testing {

// The owning thread of a test without a display: a queue it drains while it waits.
class OwningThread {
 public:
  bool WaitFor(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    return WaitUntil(
        done, [this] { dispatcher.RunOne(std::chrono::milliseconds(10)); }, limit);
  }
  // Runs `start` with a `done` that keeps the answer, and waits for it.
  template <typename T>
  std::optional<T> Await(const std::function<void(DeviceSession::Done<T>)>& start) {
    return AwaitAnswer<T>(start, [this](const std::function<bool()>& done) { WaitFor(done); });
  }

  QueueDispatcher dispatcher;
  QuietSessionEvents events;
};

}  // namespace n240qx::testing
