#include "hid/UdevHotplugMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "hid/HidId.h"
#include "hid/HotplugFilter.h"

namespace n240qx {

namespace {

// The kernel names the HID device in the node's path, so removals (whose parent is gone by the
// time the event is read) are recognised as well as arrivals.
std::optional<HidId> IdOfNode(udev_device* device) {
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
  if (hid != nullptr) {
    if (const char* value = udev_device_get_property_value(hid, "HID_ID")) {
      return HidId::FromHidIdValue(value);
    }
  }
  const char* devpath = udev_device_get_devpath(device);
  return devpath != nullptr ? HidId::FromDevicePath(devpath) : std::nullopt;
}

std::optional<HotplugEvent> ReceiveOne(udev_monitor* monitor) {
  udev_device* device = udev_monitor_receive_device(monitor);
  if (device == nullptr) {
    return std::nullopt;
  }
  const char* action = udev_device_get_action(device);
  auto event = ClassifyHidrawEvent(action != nullptr ? action : "", IdOfNode(device));
  udev_device_unref(device);
  return event;
}

// Runs on the monitor thread until the wake-up descriptor is signalled. Everything it uses is
// handed over at its start and outlives it.
void RunMonitor(udev_monitor* monitor, int wake_fd, const HotplugMonitor::Callback& callback) {
  pollfd fds[2] = {{udev_monitor_get_fd(monitor), POLLIN, 0}, {wake_fd, POLLIN, 0}};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      return;
    }
    if (fds[1].revents != 0) {
      return;
    }
    if ((fds[0].revents & POLLIN) != 0) {
      if (auto event = ReceiveOne(monitor)) {
        callback(*event);
      }
    } else if (fds[0].revents != 0) {
      return;  // the netlink socket broke; nothing more will come
    }
  }
}

}  // namespace

UdevHotplugMonitor::~UdevHotplugMonitor() {
  Stop();
}

Status UdevHotplugMonitor::Start(Callback callback) {
  std::lock_guard lock(mutex_);
  StopLocked();
  udev_ = udev_new();
  if (udev_ == nullptr) {
    return Error{ErrorCode::kIo, "Cannot watch for the keyboard: udev is not available"};
  }
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (monitor_ == nullptr ||
      udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0) {
    ReleaseLocked();
    return Error{ErrorCode::kIo, "Cannot watch for the keyboard: no udev monitor"};
  }
  wake_fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake_fd_ < 0) {
    ReleaseLocked();
    return Error{ErrorCode::kIo, "Cannot watch for the keyboard: no eventfd"};
  }
  thread_ = std::thread(RunMonitor, monitor_, wake_fd_, std::move(callback));
  return Status::Ok();
}

void UdevHotplugMonitor::Stop() {
  std::lock_guard lock(mutex_);
  StopLocked();
}

bool UdevHotplugMonitor::running() const {
  std::lock_guard lock(mutex_);
  return thread_.joinable();
}

void UdevHotplugMonitor::StopLocked() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    // An eventfd write of 8 bytes cannot be short; should it fail, the counter is already set.
    [[maybe_unused]] const ssize_t written = ::write(wake_fd_, &one, sizeof(one));
    thread_.join();
  }
  ReleaseLocked();
}

void UdevHotplugMonitor::ReleaseLocked() {
  if (wake_fd_ >= 0) {
    ::close(wake_fd_);
    wake_fd_ = -1;
  }
  if (monitor_ != nullptr) {
    udev_monitor_unref(monitor_);
    monitor_ = nullptr;
  }
  if (udev_ != nullptr) {
    udev_unref(udev_);
    udev_ = nullptr;
  }
}

}  // namespace n240qx
