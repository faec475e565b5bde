#include "util/RealClock.h"

#include <thread>

namespace n240qx {

RealClock::RealClock() : start_(std::chrono::steady_clock::now()) {}

void RealClock::SleepMs(int ms) {
  if (ms <= 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::int64_t RealClock::NowUs() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

}  // namespace n240qx
