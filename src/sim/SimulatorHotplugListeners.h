#pragma once

#include <functional>
#include <map>
#include <mutex>

#include "device/HotplugMonitor.h"

namespace n240qx {

// Who hears of the simulated keyboard's plug changes. The hub calls Notify after releasing its
// own lock, so a listener may ask the hub anything; it must not add or remove listeners.
// Removal waits for a notification that is running, so a listener is never called after it.
class SimulatorHotplugListeners {
 public:
  int Add(std::function<void(HotplugEvent)> listener);
  void Remove(int id);
  void Notify(HotplugEvent event);

 private:
  std::mutex mutex_;
  int next_id_ = 0;
  std::map<int, std::function<void(HotplugEvent)>> listeners_;
};

}  // namespace n240qx
