#include "util/VirtualClock.h"

#include <thread>

namespace n240qx {

void VirtualClock::SleepMs(int ms) {
  if (ms > 0) {
    now_us_.fetch_add(static_cast<std::int64_t>(ms) * 1000);
    slept_ms_.fetch_add(ms);
  }
  std::this_thread::yield();
}

}  // namespace n240qx
