#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "device/HidLink.h"
#include "sim/SimulatedLink.h"

namespace n240qx::testing {

// Sits between the session and the simulator. In virtual time the protocol's pauses take no
// time at all, so an acknowledgement could still be on its way to the listener when the next
// step starts; with pacing on, every outgoing report returns only once the listener has taken
// every acknowledgement the keyboard has sent so far, as the pauses ensure with a real keyboard.
// Hooks run around feature reports, so a test can strike at an exact command.
class PacedTestLink final : public HidLink {
 public:
  using FeatureHook = std::function<void(std::span<const std::uint8_t> feature)>;

  explicit PacedTestLink(SimulatedLink& sim) : sim_(sim) {}

  std::vector<HidInterfaceInfo> EnumerateInterfaces() override {
    return sim_.EnumerateInterfaces();
  }
  Result<std::unique_ptr<HidDevice>> Open(const std::string& path) override;
  Result<std::unique_ptr<DeviceLockHold>> TryLockDevice(const std::string& path) override {
    return sim_.TryLockDevice(path);
  }

  void SetPacing(bool on);
  // The event interface cannot be opened (its node refuses) while this is on.
  void RefuseEventOpens(bool refuse);
  // Called on the worker thread just before (or just after) a feature report goes out.
  void SetBeforeFeature(FeatureHook hook);
  void SetAfterFeature(FeatureHook hook);

  // For the devices this link opens.
  void BeforeFeature(std::span<const std::uint8_t> feature);
  void AfterFeature(std::span<const std::uint8_t> feature);
  void AfterOutput();
  void EventReadStarts();
  void EventDelivered(std::span<const std::uint8_t> report);
  void EventHandleOpened();
  void EventHandleLost();

 private:
  SimulatedLink& sim_;
  std::mutex mutex_;
  std::condition_variable changed_;
  FeatureHook before_;
  FeatureHook after_;
  bool pacing_ = true;
  bool refuse_event_opens_ = false;
  bool event_open_ = false;
  int acks_delivered_ = 0;
  // The listener has come back for the next report since the last acknowledgement: it has
  // raised the flag by then.
  bool read_since_delivery_ = true;
};

}  // namespace n240qx::testing
