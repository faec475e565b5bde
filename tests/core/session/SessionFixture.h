#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/ConfiguratorSessionEvents.h"
#include "app/ConfiguratorState.h"
#include "core/session/PacedTestLink.h"
#include "device/DeviceSession.h"
#include "device/LoggingHidLink.h"
#include "device/WireLog.h"
#include "sim/SimulatedHotplugMonitor.h"
#include "sim/SimulatedLink.h"
#include "support/TempDir.h"
#include "support/Wait.h"
#include "util/QueueDispatcher.h"
#include "util/VirtualClock.h"

namespace n240qx::testing {

// Long enough that only a hang reaches it, even under the thread sanitizer.
inline constexpr auto kHangLimit = std::chrono::seconds(20);

// A session on the simulator with real threads, virtual pauses and a wire log; the test's
// thread is the owning thread and drains the dispatcher.
class SessionFixture : public ::testing::Test {
 protected:
  SessionFixture();
  ~SessionFixture() override;

  // Short acknowledgement bound, so that a dropped acknowledgement costs little real time.
  static DeviceSessionOptions FastOptions();
  void StartSession(DeviceSessionOptions options = FastOptions(), bool watch_hotplug = true);
  // Connect, full read, and the result applied as at start-up; then the wire log is cleared.
  void ConnectAndRead();

  // Runs `start` with a `done` that stores the result, and drains the dispatcher until it has
  // arrived; nullopt (and a failure) on a hang.
  template <typename T>
  std::optional<T> Await(const std::function<void(DeviceSession::Done<T>)>& start) {
    return AwaitAnswer<T>(start, [this](const std::function<bool()>& arrived) {
      if (!PumpUntil(arrived)) {
        ADD_FAILURE() << "the session did not answer";
      }
    });
  }
  // Drains the dispatcher until `condition` holds; false when kHangLimit passed first.
  bool PumpUntil(const std::function<bool()>& condition);

  std::optional<Result<DeviceRead>> FullRead();
  // The write of changes on the state as it is now, its outcome applied.
  std::optional<WriteOutcome> Apply();

  // Feature reports sent since the log was last cleared: every one, or just the codes.
  std::vector<std::vector<std::uint8_t>> FeaturesSent() const;
  std::vector<std::uint8_t> CodesSent() const;

  SimulatedLink sim;
  VirtualClock clock;
  WireLog wire{clock, nullptr, true};
  PacedTestLink paced{sim};
  LoggingHidLink logged{paced, wire};
  QueueDispatcher dispatcher;
  TempDir dir;
  std::unique_ptr<ConfiguratorState> state;

  // What the session reported to the owning thread, in order.
  std::vector<std::uint8_t> launches;
  std::vector<bool> connections;
  std::vector<std::pair<SequenceEnd, bool>> arrivals;  // with reset_after_update
  std::vector<bool> arrivals_listening;
  std::vector<SequenceProgress> progress;
  std::vector<bool> arrival_running;
  std::vector<bool> waiting_for_keyboard;

  std::unique_ptr<ConfiguratorSessionEvents> events;
  std::unique_ptr<SimulatedHotplugMonitor> monitor;
  std::unique_ptr<DeviceSession> session;
};

}  // namespace n240qx::testing
