#pragma once

#include <mutex>
#include <thread>

#include "device/HotplugMonitor.h"
#include "util/Result.h"

struct udev;
struct udev_monitor;

namespace n240qx {

// Hears of the keyboard's hidraw nodes coming and going through a libudev monitor (events after
// udev has applied its rules, so an arriving node already carries its permissions). Reports one
// event per node: plugging the keyboard in gives one arrival for each of its interfaces.
//
// Start and Stop may be called from any thread but not from the callback itself.
class UdevHotplugMonitor final : public HotplugMonitor {
 public:
  UdevHotplugMonitor() = default;
  ~UdevHotplugMonitor() override;
  UdevHotplugMonitor(const UdevHotplugMonitor&) = delete;
  UdevHotplugMonitor& operator=(const UdevHotplugMonitor&) = delete;

  // A running monitor is stopped first. Without udev nothing is ever reported, and Start says why.
  Status Start(Callback callback) override;
  // Wakes the monitor thread and joins it; returns at once when nothing runs.
  void Stop() override;
  bool running() const;

 private:
  void StopLocked();
  void ReleaseLocked();

  mutable std::mutex mutex_;
  std::thread thread_;
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  int wake_fd_ = -1;
};

}  // namespace n240qx
