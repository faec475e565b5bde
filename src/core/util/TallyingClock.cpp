#include "util/TallyingClock.h"

namespace n240qx {

void TallyingClock::SleepMs(int ms) {
  inner_->SleepMs(ms);
  if (ms > 0) {
    paused_ms_.fetch_add(ms, std::memory_order_relaxed);
  }
}

}  // namespace n240qx
