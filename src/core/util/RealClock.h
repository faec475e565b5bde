#pragma once

#include <chrono>

#include "util/Clock.h"

namespace n240qx {

class RealClock final : public Clock {
 public:
  RealClock();
  void SleepMs(int ms) override;
  std::int64_t NowUs() const override;

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace n240qx
