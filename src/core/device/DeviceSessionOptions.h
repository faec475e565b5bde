#pragma once

#include <chrono>

#include "device/DeviceLockWait.h"
#include "device/WriteSequence.h"

namespace n240qx {

// The waits of a device session. The settle pauses go through the Clock (the keyboard needs
// them after a plug-in or unplug); the acknowledgement bound is real time, since it waits for
// the listener thread.
struct DeviceSessionOptions {
  std::chrono::milliseconds ack_timeout = kDefaultAckTimeout;
  int arrival_settle_ms = 2000;
  int removal_settle_ms = 500;
  // How long a sequence waits for another program to let go of the keyboard.
  std::chrono::milliseconds lock_wait = kDefaultLockWait;
};

}  // namespace n240qx
