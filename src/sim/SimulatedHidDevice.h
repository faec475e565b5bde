#pragma once

#include <cstdint>
#include <memory>

#include "device/HidDevice.h"

namespace n240qx {

class SimulatorHub;

// Which of the keyboard's interfaces a handle is open on.
enum class SimInterfaceRole {
  kCommand,  // "mi_03": feature reports, data reports both ways
  kEvent,    // "mi_01&col04": event reports only
  kOther,    // every other collection: present, but silent
};

// One open handle on the simulated keyboard. It stays tied to the plug-in it was opened on:
// after an unplug it answers kDisconnected for good, as a real handle on a removed node does.
class SimulatedHidDevice final : public HidDevice {
 public:
  SimulatedHidDevice(std::shared_ptr<SimulatorHub> hub, SimInterfaceRole role,
                     std::uint64_t connection);
  ~SimulatedHidDevice() override;
  SimulatedHidDevice(const SimulatedHidDevice&) = delete;
  SimulatedHidDevice& operator=(const SimulatedHidDevice&) = delete;

  Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t> report) override;
  Result<std::size_t> GetFeatureReport(std::span<std::uint8_t> report) override;
  Result<std::size_t> WriteReport(std::span<const std::uint8_t> report) override;
  Result<std::size_t> ReadReport(std::span<std::uint8_t> report, int timeout_ms) override;
  void InterruptRead() override;

 private:
  std::shared_ptr<SimulatorHub> hub_;
  SimInterfaceRole role_;
  std::uint64_t connection_;
  // The event reader's own queue in the hub, as each open hidraw node has its own buffer.
  int event_queue_ = -1;
};

}  // namespace n240qx
