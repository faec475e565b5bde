#pragma once

// A device session on a simulated keyboard for the benchmarks that time the keyboard's
// sequences, and the pauses those sequences must observe.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include "app/ConfiguratorSessionEvents.h"
#include "app/ConfiguratorState.h"
#include "device/DeviceSession.h"
#include "sim/SimulatedLink.h"
#include "util/Clock.h"
#include "util/QueueDispatcher.h"
#include "util/VirtualClock.h"

namespace n240qx::bench {

// One session on a fresh simulated keyboard, driven from the calling thread as its owner.
class BenchSession {
 public:
  explicit BenchSession(Clock& clock)
      : state_(std::make_unique<ConfiguratorState>()),
        events_(*state_),
        session_(sim_, clock, dispatcher_, events_) {
    if (!Await<Status>([&](auto done) { session_.Connect(std::move(done)); }).ok()) {
      throw std::runtime_error("the simulated keyboard did not connect");
    }
  }

  bool FullRead() {
    auto read = Await<Result<DeviceRead>>([&](auto done) { session_.FullRead(std::move(done)); });
    if (read.ok()) {
      state_->ApplyFullRead(*read);
    }
    return read.ok();
  }

  bool ToggleGameMode() {
    state_->ImageForEditing().game_mode() ^= 1;
    auto outcome = Await<WriteOutcome>([&](auto done) {
      session_.WriteChanges(state_->image(), state_->snapshot(), std::move(done));
    });
    return state_->ApplyWriteOutcome(outcome).ok();
  }

 private:
  template <typename T>
  T Await(const std::function<void(DeviceSession::Done<T>)>& start) {
    std::optional<T> result;
    start([&result](T value) { result.emplace(std::move(value)); });
    while (!result) {
      dispatcher_.RunOne(std::chrono::milliseconds(50));
    }
    return std::move(*result);
  }

  SimulatedLink sim_;
  QueueDispatcher dispatcher_;
  std::unique_ptr<ConfiguratorState> state_;
  ConfiguratorSessionEvents events_;
  DeviceSession session_;
};

// The pauses a sequence must observe, counted by running it once in virtual time.
inline std::int64_t PausesOf(const std::function<bool(BenchSession&)>& sequence, bool read_first) {
  VirtualClock clock;
  BenchSession session(clock);
  if (read_first) {
    session.FullRead();
  }
  const std::int64_t before = clock.SleptMs();
  sequence(session);
  return clock.SleptMs() - before;
}

}  // namespace n240qx::bench
