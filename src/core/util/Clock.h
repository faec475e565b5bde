#pragma once

#include <cstdint>

namespace n240qx {

// Time as the protocol sees it. The keyboard needs its pauses; tests run them in virtual time
// and read them back from the wire log.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void SleepMs(int ms) = 0;
  // Microseconds since an arbitrary, fixed start.
  virtual std::int64_t NowUs() const = 0;
};

}  // namespace n240qx
