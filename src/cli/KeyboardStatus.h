#pragma once

#include <optional>

#include "device/FirmwareVersion.h"

namespace n240qx {

// What `status` says of the keyboard, however it was asked: directly or through the window.
struct KeyboardStatus {
  bool connected = false;
  bool simulated = false;
  std::optional<FirmwareVersion> firmware;
};

}  // namespace n240qx
