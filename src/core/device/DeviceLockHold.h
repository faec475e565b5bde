#pragma once

#include <cstdint>

namespace n240qx {

// Keeps other programs off one keyboard while it lives: every command sequence runs inside
// one, so that two programs never interleave their reports on the same keyboard. It also
// keeps the keyboard's write count: every program that writes counts its write under the
// lock, so a program whose last read saw another count knows another program wrote since.
class DeviceLockHold {
 public:
  virtual ~DeviceLockHold() = default;
  // A transport no other program reaches counts in memory, for its own holder only.
  virtual std::uint64_t WriteCount() const { return writes_; }
  virtual void CountWrite() { ++writes_; }

 private:
  std::uint64_t writes_ = 0;
};

}  // namespace n240qx
