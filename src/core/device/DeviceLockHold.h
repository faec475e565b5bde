#pragma once

namespace n240qx {

// Keeps other programs off one keyboard while it lives: every command sequence runs inside
// one, so that two programs never interleave their reports on the same keyboard.
class DeviceLockHold {
 public:
  virtual ~DeviceLockHold() = default;
};

}  // namespace n240qx
