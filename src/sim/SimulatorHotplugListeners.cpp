#include "sim/SimulatorHotplugListeners.h"

#include <utility>

namespace n240qx {

int SimulatorHotplugListeners::Add(std::function<void(HotplugEvent)> listener) {
  std::lock_guard lock(mutex_);
  const int id = next_id_++;
  listeners_[id] = std::move(listener);
  return id;
}

void SimulatorHotplugListeners::Remove(int id) {
  std::lock_guard lock(mutex_);
  listeners_.erase(id);
}

void SimulatorHotplugListeners::Notify(HotplugEvent event) {
  std::lock_guard lock(mutex_);
  for (auto& [id, listener] : listeners_) {
    listener(event);
  }
}

}  // namespace n240qx
