#pragma once

#include "device/DeviceLockHold.h"

namespace n240qx {

// A sequence's hold while the session already keeps the keyboard's lock: it adds nothing and
// counts in the kept one, which must outlive it.
class KeptLockView final : public DeviceLockHold {
 public:
  explicit KeptLockView(DeviceLockHold& kept) : kept_(kept) {}
  std::uint64_t WriteCount() const override { return kept_.WriteCount(); }
  void CountWrite() override { kept_.CountWrite(); }

 private:
  DeviceLockHold& kept_;
};

}  // namespace n240qx
