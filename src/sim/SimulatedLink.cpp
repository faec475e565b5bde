#include "sim/SimulatedLink.h"

#include "sim/SimulatorHub.h"
#include "sim/SimulatorStateFile.h"

namespace n240qx {

SimulatedLink::SimulatedLink() : SimulatedLink(SimulatedMemory::Factory()) {}

SimulatedLink::SimulatedLink(const SimulatedMemory& memory)
    : hub_(std::make_shared<SimulatorHub>(memory)) {}

SimulatedLink::~SimulatedLink() = default;

Result<std::unique_ptr<SimulatedLink>> SimulatedLink::WithStateFile(
    const std::filesystem::path& path) {
  auto memory = LoadSimulatorState(path);
  if (!memory.ok()) {
    return memory.error();
  }
  auto link = std::make_unique<SimulatedLink>(*memory);
  link->PersistTo(path);
  if (auto error = link->LastPersistError()) {
    return *error;
  }
  return link;
}

std::vector<HidInterfaceInfo> SimulatedLink::EnumerateInterfaces() {
  return hub_->EnumerateInterfaces();
}

Result<std::unique_ptr<HidDevice>> SimulatedLink::Open(const std::string& path) {
  return hub_->Open(path);
}

SimulatedMemory SimulatedLink::Memory() const {
  return hub_->Memory();
}

void SimulatedLink::SetMemory(const SimulatedMemory& memory) {
  hub_->SetMemory(memory);
}

void SimulatedLink::SetFirmwareVersion(std::uint8_t major, std::uint8_t minor) {
  hub_->SetFirmwareVersion(major, minor);
}

void SimulatedLink::PersistTo(const std::filesystem::path& path) {
  hub_->PersistTo(path);
}

std::optional<Error> SimulatedLink::LastPersistError() const {
  return hub_->LastPersistError();
}

void SimulatedLink::FailTransfers(TransferKind kind, int count) {
  hub_->ChangeFaults([&](SimulatorFaults& faults) { faults.FailTransfers(kind, count); });
}

void SimulatedLink::StopAnswering() {
  hub_->ChangeFaults([](SimulatorFaults& faults) { faults.SetAnswering(false); });
}

void SimulatedLink::ResumeAnswering() {
  hub_->ChangeFaults([](SimulatorFaults& faults) { faults.SetAnswering(true); });
}

void SimulatedLink::AnswerGarbage(GarbageKind kind, int count) {
  hub_->ChangeFaults([&](SimulatorFaults& faults) { faults.AnswerGarbage(kind, count); });
}

void SimulatedLink::DropAcknowledgements(int count) {
  hub_->ChangeFaults([&](SimulatorFaults& faults) { faults.DropAcknowledgements(count); });
}

void SimulatedLink::DelayAcknowledgements(std::chrono::milliseconds delay) {
  hub_->ChangeFaults([&](SimulatorFaults& faults) { faults.DelayAcknowledgements(delay); });
}

void SimulatedLink::ClearFaults() {
  hub_->ChangeFaults([](SimulatorFaults& faults) { faults.Clear(); });
}

void SimulatedLink::Unplug() {
  hub_->SetPlugged(false);
}

void SimulatedLink::Replug() {
  hub_->SetPlugged(true);
}

bool SimulatedLink::IsPlugged() const {
  return hub_->plugged();
}

void SimulatedLink::EnterUpdateMode() {
  hub_->SetUpdateMode(true);
}

void SimulatedLink::LeaveUpdateMode() {
  hub_->SetUpdateMode(false);
}

void SimulatedLink::SetPermissionDenied(bool denied) {
  hub_->SetPermissionDenied(denied);
}

void SimulatedLink::SendLightingChange(std::uint8_t sub_code, std::uint8_t value) {
  hub_->SendLightingChange(sub_code, value);
}

// The keyboard reports a key bound to a launch action as kind 2 with the key's code.
void SimulatedLink::SendLaunchKey(std::uint8_t key_code) {
  hub_->SendEventReport(2, key_code, 0);
}

void SimulatedLink::SendEventReport(std::uint8_t kind, std::uint8_t sub_code, std::uint8_t value) {
  hub_->SendEventReport(kind, sub_code, value);
}

SimulatorCounters SimulatedLink::Counters() const {
  return hub_->Counters();
}

std::string SimulatedLink::LastRejection() const {
  return hub_->LastRejection();
}

}  // namespace n240qx
