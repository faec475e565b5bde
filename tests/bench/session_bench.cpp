// The keyboard sequences on the simulator with the real clock: how far their time is from the
// sum of the pauses the keyboard's protocol demands. Run by hand: build/<dir>/tests/bench/
// bench_session_bench.
#include <benchmark/benchmark.h>

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
#include "util/RealClock.h"
#include "util/VirtualClock.h"

namespace n240qx {
namespace {

// One session on a fresh simulated keyboard, driven from the calling thread as its owner.
class BenchSession {
 public:
  explicit BenchSession(Clock& clock)
      : state_(std::make_unique<ConfiguratorState>()),
        events_(*state_, "/nonexistent/n240qx-bench/keymap.bin"),
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
    state_->image.game_mode() ^= 1;
    auto outcome = Await<WriteOutcome>([&](auto done) {
      session_.WriteChanges(state_->image, state_->snapshot, std::move(done));
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
std::int64_t PausesOf(const std::function<bool(BenchSession&)>& sequence, bool read_first) {
  VirtualClock clock;
  BenchSession session(clock);
  if (read_first) {
    session.FullRead();
  }
  const std::int64_t before = clock.SleptMs();
  sequence(session);
  return clock.SleptMs() - before;
}

void Report(benchmark::State& state, double total_ms, std::int64_t pauses_ms) {
  const double mean_ms = total_ms / static_cast<double>(state.iterations());
  state.counters["mean_ms"] = mean_ms;
  state.counters["pauses_ms"] = static_cast<double>(pauses_ms);
  state.counters["ratio"] = mean_ms / static_cast<double>(pauses_ms);
  state.counters["over_ms"] = mean_ms - static_cast<double>(pauses_ms);
}

void BM_FullRead(benchmark::State& state) {
  const std::int64_t pauses = PausesOf([](BenchSession& s) { return s.FullRead(); }, false);
  RealClock clock;
  BenchSession session(clock);
  double total_ms = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!session.FullRead()) {
      state.SkipWithError("the full read failed");
      return;
    }
    total_ms +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  Report(state, total_ms, pauses);
}

void BM_WriteGameModeOnly(benchmark::State& state) {
  const std::int64_t pauses = PausesOf([](BenchSession& s) { return s.ToggleGameMode(); }, true);
  RealClock clock;
  BenchSession session(clock);
  session.FullRead();
  double total_ms = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!session.ToggleGameMode()) {
      state.SkipWithError("the write was not acknowledged");
      return;
    }
    total_ms +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  Report(state, total_ms, pauses);
}

BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_WriteGameModeOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
}  // namespace n240qx
