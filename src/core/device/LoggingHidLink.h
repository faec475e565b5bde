#pragma once

#include <memory>

#include "device/HidLink.h"
#include "device/WireLog.h"

namespace n240qx {

// Puts a wire log between the device link and any transport, so that a session with the real
// keyboard is logged exactly like one with the simulator.
class LoggingHidLink final : public HidLink {
 public:
  LoggingHidLink(HidLink& inner, WireLog& log);

  std::vector<HidInterfaceInfo> EnumerateInterfaces() override;
  Result<std::unique_ptr<HidDevice>> Open(const std::string& path) override;
  Result<std::unique_ptr<DeviceLockHold>> TryLockDevice(const std::string& path) override {
    return inner_.TryLockDevice(path);
  }

 private:
  HidLink& inner_;
  WireLog& log_;
};

}  // namespace n240qx
