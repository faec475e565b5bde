#pragma once

#include <functional>

#include "util/Result.h"

namespace n240qx {

enum class HotplugEvent { kArrival, kRemoval };

// Tells when the keyboard is plugged in or pulled out: libudev on a real machine, the simulator's
// own plug and unplug in tests. The callback runs on the monitor's own thread.
class HotplugMonitor {
 public:
  using Callback = std::function<void(HotplugEvent)>;
  virtual ~HotplugMonitor() = default;
  // An error says why nothing will be reported (the program then never hears of a plug-in).
  virtual Status Start(Callback callback) = 0;
  // Returns once the callback can no longer run.
  virtual void Stop() = 0;
};

}  // namespace n240qx
