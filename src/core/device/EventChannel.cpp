#include "device/EventChannel.h"

#include <algorithm>
#include <utility>

namespace n240qx {

bool EventChannel::IsOpen() const {
  std::lock_guard lock(mutex_);
  return device_ != nullptr;
}

void EventChannel::Attach(std::unique_ptr<HidDevice> device) {
  std::lock_guard lock(mutex_);
  device_ = std::move(device);
}

void EventChannel::Close() {
  std::lock_guard lock(mutex_);
  device_.reset();
}

std::shared_ptr<HidDevice> EventChannel::Device() const {
  std::lock_guard lock(mutex_);
  return device_;
}

void EventChannel::InterruptRead() {
  if (auto device = Device()) {
    device->InterruptRead();
  }
}

Result<std::optional<EventReport>> EventChannel::ReadEventReport(int timeout_ms) {
  auto buffer = PrimedEventReport();
  const int wait_ms = std::clamp(timeout_ms, 0, kMaxEventWaitMs);
  const std::shared_ptr<HidDevice> device = Device();
  if (device == nullptr) {
    return Error{ErrorCode::kNotOpen, "the keyboard's event interface is not open"};
  }
  auto got = device->ReadReport(buffer, wait_ms);
  if (!got.ok()) {
    return Error{got.error().code, "event report failed: " + got.error().message};
  }
  const std::size_t received = std::min(*got, buffer.size());
  return DecodeEventReport(std::span<const std::uint8_t>(buffer).first(received));
}

}  // namespace n240qx
