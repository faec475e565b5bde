#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "util/Clock.h"

namespace n240qx {

// A clock that adds up the time spent in its pauses, so that a slow keyboard can be told apart
// from the pauses its protocol asks for: a full read that takes 900 ms of which 850 ms are
// pauses is a healthy one. Pauses run on a session's thread while the total is read elsewhere.
class TallyingClock final : public Clock {
 public:
  explicit TallyingClock(std::unique_ptr<Clock> inner) : inner_(std::move(inner)) {}
  void SleepMs(int ms) override;
  std::int64_t NowUs() const override { return inner_->NowUs(); }

  std::int64_t PausedMs() const { return paused_ms_.load(std::memory_order_relaxed); }

 private:
  std::unique_ptr<Clock> inner_;
  std::atomic<std::int64_t> paused_ms_{0};
};

}  // namespace n240qx
