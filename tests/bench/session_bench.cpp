// The keyboard sequences on the simulator with the real clock: how far their time is from the
// sum of the pauses the keyboard's protocol demands. Run by hand: build/<dir>/tests/bench/
// bench_session_bench.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "support/BenchSession.h"
#include "util/RealClock.h"

namespace n240qx {
namespace {

using bench::BenchSession;
using bench::PausesOf;

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
