#include "device/AckSignal.h"

namespace n240qx {

void AckSignal::Clear() {
  std::lock_guard lock(mutex_);
  acknowledged_ = false;
}

void AckSignal::Acknowledge() {
  {
    std::lock_guard lock(mutex_);
    acknowledged_ = true;
  }
  changed_.notify_all();
}

void AckSignal::MarkListening() {
  std::lock_guard lock(mutex_);
  link_lost_ = false;
}

void AckSignal::MarkLinkLost() {
  {
    std::lock_guard lock(mutex_);
    link_lost_ = true;
  }
  changed_.notify_all();
}

bool AckSignal::link_lost() const {
  std::lock_guard lock(mutex_);
  return link_lost_;
}

AckWait AckSignal::Wait(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [this] { return acknowledged_ || link_lost_; });
  if (acknowledged_) {
    return AckWait::kAcknowledged;
  }
  return link_lost_ ? AckWait::kLinkLost : AckWait::kTimedOut;
}

}  // namespace n240qx
