#include "sim/SimulatedLink.h"

#include "sim/FileLock.h"
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
  link->plug_file_ = std::make_unique<SimulatorPlugFile>(
      path, [hub = link->hub_](bool plugged) { hub->SetPlugged(plugged); });
  if (!link->plug_file_->plugged()) {
    link->Unplug();
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
  state_file_ = path;
  hub_->PersistTo(path);
}

namespace {

// The keyboard's memory goes back to the shared file before the next program may load it.
class StateFileHold final : public DeviceLockHold {
 public:
  StateFileHold(std::unique_ptr<FileLock> lock, std::shared_ptr<SimulatorHub> hub,
                std::filesystem::path file)
      : lock_(std::move(lock)), hub_(std::move(hub)), file_(std::move(file)) {}
  ~StateFileHold() override { hub_->PersistTo(file_); }
  std::uint64_t WriteCount() const override { return lock_->WriteCount(); }
  void CountWrite() override { lock_->CountWrite(); }
  StateFileHold(const StateFileHold&) = delete;
  StateFileHold& operator=(const StateFileHold&) = delete;

 private:
  std::unique_ptr<FileLock> lock_;
  std::shared_ptr<SimulatorHub> hub_;
  std::filesystem::path file_;
};

}  // namespace

Result<std::unique_ptr<DeviceLockHold>> SimulatedLink::TryLockDevice(const std::string& path) {
  if (!state_file_) {
    return HidLink::TryLockDevice(path);
  }
  auto lock = FileLock::TryLock(state_file_->string() + ".lock");
  if (!lock.ok() || *lock == nullptr) {
    return lock.ok() ? Result<std::unique_ptr<DeviceLockHold>>(nullptr) : lock.error();
  }
  auto memory = LoadSimulatorState(*state_file_);
  if (!memory.ok()) {
    return memory.error();
  }
  hub_->SetMemory(*memory);
  return std::unique_ptr<DeviceLockHold>(
      std::make_unique<StateFileHold>(std::move(*lock), hub_, *state_file_));
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
