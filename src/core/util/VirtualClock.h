#pragma once

#include <atomic>

#include "util/Clock.h"

namespace n240qx {

// A clock whose sleeps advance time at once. Sleeping still yields the processor, so that a
// thread polling for another thread's work in virtual time lets that thread run.
class VirtualClock final : public Clock {
 public:
  void SleepMs(int ms) override;
  std::int64_t NowUs() const override { return now_us_.load(); }
  void AdvanceUs(std::int64_t us) { now_us_.fetch_add(us); }
  // Total of all SleepMs calls, in milliseconds.
  std::int64_t SleptMs() const { return slept_ms_.load(); }

 private:
  std::atomic<std::int64_t> now_us_{0};
  std::atomic<std::int64_t> slept_ms_{0};
};

}  // namespace n240qx
