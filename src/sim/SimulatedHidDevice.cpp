#include "sim/SimulatedHidDevice.h"

#include <utility>

#include "sim/SimulatorHub.h"

namespace n240qx {

SimulatedHidDevice::SimulatedHidDevice(std::shared_ptr<SimulatorHub> hub, SimInterfaceRole role,
                                       std::uint64_t connection)
    : hub_(std::move(hub)), role_(role), connection_(connection) {
  if (role_ == SimInterfaceRole::kEvent) {
    event_queue_ = hub_->OpenEventQueue(connection_);
  }
}

SimulatedHidDevice::~SimulatedHidDevice() {
  if (event_queue_ >= 0) {
    hub_->CloseEventQueue(event_queue_);
  }
}

Result<std::size_t> SimulatedHidDevice::SendFeatureReport(std::span<const std::uint8_t> report) {
  if (role_ != SimInterfaceRole::kCommand) {
    return hub_->Unsupported(connection_, "feature reports");
  }
  return hub_->SendFeature(connection_, report);
}

Result<std::size_t> SimulatedHidDevice::GetFeatureReport(std::span<std::uint8_t> report) {
  if (role_ != SimInterfaceRole::kCommand) {
    return hub_->Unsupported(connection_, "feature reports");
  }
  return hub_->GetAnswer(connection_, report);
}

Result<std::size_t> SimulatedHidDevice::WriteReport(std::span<const std::uint8_t> report) {
  if (role_ != SimInterfaceRole::kCommand) {
    return hub_->Unsupported(connection_, "output reports");
  }
  return hub_->WriteData(connection_, report);
}

Result<std::size_t> SimulatedHidDevice::ReadReport(std::span<std::uint8_t> report, int timeout_ms) {
  switch (role_) {
    case SimInterfaceRole::kCommand:
      return hub_->ReadData(connection_, report, timeout_ms);
    case SimInterfaceRole::kEvent:
      return hub_->ReadEvent(connection_, event_queue_, report, timeout_ms);
    case SimInterfaceRole::kOther:
      break;
  }
  return hub_->ReadNothing(connection_, timeout_ms);
}

void SimulatedHidDevice::InterruptRead() {
  if (event_queue_ >= 0) {
    hub_->InterruptEventRead(event_queue_);
  }
}

}  // namespace n240qx
