#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "device/DeviceSession.h"
#include "device/SessionEvents.h"
#include "support/Wait.h"
#include "util/QueueDispatcher.h"

namespace n240qx::testing {

class QuietEvents final : public SessionEvents {
 public:
  void OnKeyboardLightingChange(std::uint8_t, std::uint8_t) override {}
  void OnLaunchKey(std::uint8_t) override {}
  void OnProgress(const SequenceProgress&) override {}
  void OnConnectionChanged(bool) override {}
  void OnArrivalRead(const Result<DeviceRead>&, bool, bool) override {}
};

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
    std::optional<T> answer;
    start([&answer](T value) { answer.emplace(std::move(value)); });
    WaitFor([&] { return answer.has_value(); });
    return answer;
  }

  QueueDispatcher dispatcher;
  QuietEvents events;
};

}  // namespace n240qx::testing
