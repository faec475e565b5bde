#pragma once

#include "device/SessionEvents.h"

namespace n240qx {

// Where the reports of a session nobody watches go: a dry run's stand-in has no lighting
// changes, launch keys or plugging to tell of.
class QuietSessionEvents final : public SessionEvents {
 public:
  void OnKeyboardLightingChange(std::uint8_t, std::uint8_t) override {}
  void OnLaunchKey(std::uint8_t) override {}
  void OnProgress(const SequenceProgress&) override {}
  void OnConnectionChanged(bool) override {}
  void OnArrivalRead(const Result<DeviceRead>&, bool, bool) override {}
};

}  // namespace n240qx
