#pragma once

#include <functional>

namespace n240qx {

enum class HotplugEvent { kArrival, kRemoval };

// Tells when the keyboard is plugged in or pulled out: libudev on a real machine, the simulator's
// own plug and unplug in tests. The callback runs on the monitor's own thread.
class HotplugMonitor {
 public:
  using Callback = std::function<void(HotplugEvent)>;
  virtual ~HotplugMonitor() = default;
  virtual void Start(Callback callback) = 0;
  // Returns once the callback can no longer run.
  virtual void Stop() = 0;
};

}  // namespace n240qx
