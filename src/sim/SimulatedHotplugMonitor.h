#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "device/HotplugMonitor.h"

namespace n240qx {

class SimulatedLink;
class SimulatorHub;

// Reports the simulator's unplug and replug (and its switches in and out of update mode) as
// removal and arrival, on the monitor's own thread like the udev monitor. Stop must not be
// called from inside the callback.
class SimulatedHotplugMonitor final : public HotplugMonitor {
 public:
  explicit SimulatedHotplugMonitor(const SimulatedLink& link);
  ~SimulatedHotplugMonitor() override;
  SimulatedHotplugMonitor(const SimulatedHotplugMonitor&) = delete;
  SimulatedHotplugMonitor& operator=(const SimulatedHotplugMonitor&) = delete;

  Status Start(Callback callback) override;
  void Stop() override;

 private:
  void Run(Callback callback);

  std::shared_ptr<SimulatorHub> hub_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<HotplugEvent> pending_;
  bool stopping_ = false;
  int listener_id_ = -1;
  std::thread thread_;
};

}  // namespace n240qx
