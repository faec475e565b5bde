#include "sim/SimulatedHotplugMonitor.h"

#include <utility>

#include "sim/SimulatedLink.h"
#include "sim/SimulatorHub.h"

namespace n240qx {

SimulatedHotplugMonitor::SimulatedHotplugMonitor(const SimulatedLink& link) : hub_(link.hub()) {}

SimulatedHotplugMonitor::~SimulatedHotplugMonitor() {
  Stop();
}

Status SimulatedHotplugMonitor::Start(Callback callback) {
  Stop();
  {
    std::lock_guard lock(mutex_);
    stopping_ = false;
    pending_.clear();
  }
  // The hub calls this on the thread that changed the plug; the callback runs on our own.
  listener_id_ = hub_->AddHotplugListener([this](HotplugEvent event) {
    std::lock_guard lock(mutex_);
    pending_.push_back(event);
    changed_.notify_one();
  });
  thread_ = std::thread([this, callback = std::move(callback)] { Run(callback); });
  return Status::Ok();
}

void SimulatedHotplugMonitor::Stop() {
  if (listener_id_ >= 0) {
    hub_->RemoveHotplugListener(listener_id_);
    listener_id_ = -1;
  }
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void SimulatedHotplugMonitor::Run(Callback callback) {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
    if (stopping_) {
      return;
    }
    const HotplugEvent event = pending_.front();
    pending_.pop_front();
    lock.unlock();
    callback(event);
    lock.lock();
  }
}

}  // namespace n240qx
