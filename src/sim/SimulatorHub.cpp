#include "sim/SimulatorHub.h"

#include <algorithm>
#include <utility>

#include "sim/SimulatedHidDevice.h"
#include "sim/SimulatorStateFile.h"

namespace n240qx {

namespace {

constexpr std::uint16_t kVendorId = 0x04D9;
constexpr std::uint16_t kKeyboardProductId = 0xA124;
constexpr std::uint16_t kUpdateProductId = 0xA126;
// A hidraw node buffers this many input reports per reader and drops what comes on top.
constexpr std::size_t kEventQueueLimit = 64;
// Garbage of the wrong length is this long, answers and data reports alike.
constexpr std::size_t kShortAnswerSize = 5;
constexpr std::size_t kShortDataReportSize = 33;
constexpr SimEvent kAcknowledgement = {kSimEventReportId, 4, 0, 0};

struct SimInterface {
  const char* path;
  std::uint16_t product_id;
  SimInterfaceRole role;
};

// The interfaces in the Windows form that the marker search expects: the boot keyboard, four
// collections of interface 1 (the fourth carries the event reports) and the command interface.
constexpr SimInterface kKeyboardInterfaces[] = {
    {"sim/hidraw0#vid_04d9&pid_a124&mi_00", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col01", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col02", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col03", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col04", kKeyboardProductId, SimInterfaceRole::kEvent},
    {"sim/hidraw2#vid_04d9&pid_a124&mi_03", kKeyboardProductId, SimInterfaceRole::kCommand},
};
// In update mode the keyboard shows only the updater's interface, under another product id.
constexpr SimInterface kUpdateInterfaces[] = {
    {"sim/hidraw0#vid_04d9&pid_a126&mi_02", kUpdateProductId, SimInterfaceRole::kOther},
};

std::span<const SimInterface> PresentInterfaces(bool plugged, bool update_mode) {
  if (!plugged) {
    return {};
  }
  if (update_mode) {
    return kUpdateInterfaces;
  }
  return kKeyboardInterfaces;
}

Error Disconnected() {
  return Error{ErrorCode::kDisconnected, "the simulated keyboard was unplugged"};
}

}  // namespace

SimulatorHub::SimulatorHub(SimulatedMemory memory) : keyboard_(std::move(memory)) {}

std::vector<HidInterfaceInfo> SimulatorHub::EnumerateInterfaces() const {
  std::lock_guard lock(mutex_);
  std::vector<HidInterfaceInfo> found;
  for (const SimInterface& interface : PresentInterfaces(plugged_, update_mode_)) {
    found.push_back({interface.path, kVendorId, interface.product_id, permission_denied_});
  }
  return found;
}

Result<std::unique_ptr<HidDevice>> SimulatorHub::Open(const std::string& path) {
  std::uint64_t connection = 0;
  std::optional<SimInterfaceRole> role;
  {
    std::lock_guard lock(mutex_);
    for (const SimInterface& interface : PresentInterfaces(plugged_, update_mode_)) {
      if (path == interface.path) {
        role = interface.role;
      }
    }
    if (!role) {
      return Error{ErrorCode::kNotFound, "no simulated keyboard interface at " + path};
    }
    if (permission_denied_) {
      return Error{ErrorCode::kPermissionDenied,
                   "Permission denied on " + path + ": install the udev rule, see README"};
    }
    connection = connection_;
  }
  // Outside the lock: an event handle registers its queue with the hub as it is made.
  return std::unique_ptr<HidDevice>(
      std::make_unique<SimulatedHidDevice>(shared_from_this(), *role, connection));
}

std::optional<Error> SimulatorHub::CheckConnection(std::uint64_t connection) const {
  if (connection != connection_) {
    return Disconnected();
  }
  return std::nullopt;
}

std::optional<Error> SimulatorHub::CheckTransfer(std::uint64_t connection, TransferKind kind) {
  if (auto error = CheckConnection(connection)) {
    return error;
  }
  if (faults_.TakeTransferFailure(kind)) {
    return Error{ErrorCode::kIo, "simulated transfer failure"};
  }
  return std::nullopt;
}

Result<std::size_t> SimulatorHub::SendFeature(std::uint64_t connection,
                                              std::span<const std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  if (auto error = CheckTransfer(connection, TransferKind::kFeatureSend)) {
    return *error;
  }
  if (report.size() != kSimFeatureSize) {
    return Error{ErrorCode::kInvalidArgument,
                 "a feature report is 9 bytes, not " + std::to_string(report.size())};
  }
  // A keyboard that stopped answering takes the transfer and does nothing with it.
  if (faults_.answering()) {
    const FirmwareStep step = keyboard_.HandleFeatureReport(report.first<kSimFeatureSize>());
    if (step != FirmwareStep::kIgnored) {
      ++counters_.commands_accepted;
    }
    AfterFirmwareStep(step);
  }
  return report.size();
}

Result<std::size_t> SimulatorHub::GetAnswer(std::uint64_t connection,
                                            std::span<std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  if (auto error = CheckTransfer(connection, TransferKind::kAnswer)) {
    return *error;
  }
  if (report.empty()) {
    return Error{ErrorCode::kInvalidArgument, "no room for a feature answer"};
  }
  if (!faults_.answering()) {
    return Error{ErrorCode::kTimeout, "the simulated keyboard does not answer"};
  }
  const SimFeature& answer = keyboard_.answer();
  std::size_t count = std::min(report.size(), answer.size());
  const auto garbage = faults_.TakeGarbage();
  if (garbage == GarbageKind::kWrongLength) {
    count = std::min(count, kShortAnswerSize);
  }
  std::copy_n(answer.begin(), count, report.begin());
  if (garbage == GarbageKind::kRandomBytes) {
    FillRandom(report.subspan(1, count - 1));
  }
  return count;
}

Result<std::size_t> SimulatorHub::WriteData(std::uint64_t connection,
                                            std::span<const std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  if (auto error = CheckTransfer(connection, TransferKind::kDataOut)) {
    return *error;
  }
  if (report.size() != kSimDataReportSize) {
    return Error{ErrorCode::kInvalidArgument,
                 "a data report is 65 bytes, not " + std::to_string(report.size())};
  }
  if (report[0] != 0) {
    return Error{ErrorCode::kIo, "output report id " + std::to_string(report[0]) +
                                     " is not defined on the command interface"};
  }
  if (faults_.answering()) {
    AfterFirmwareStep(keyboard_.HandleDataReport(report.subspan<1, kSimDataPayloadSize>()));
  }
  return report.size();
}

Result<std::size_t> SimulatorHub::ReadData(std::uint64_t connection, std::span<std::uint8_t> report,
                                           int timeout_ms) {
  const auto deadline = DeadlineAfter(timeout_ms);
  std::unique_lock lock(mutex_);
  if (auto error = CheckTransfer(connection, TransferKind::kDataIn)) {
    // The report was on the wire when the transfer broke: it is lost, not kept for later.
    if (error->code == ErrorCode::kIo && faults_.answering()) {
      static_cast<void>(keyboard_.TakeDataReport());
    }
    return *error;
  }
  while (true) {
    if (auto error = CheckConnection(connection)) {
      return *error;
    }
    if (faults_.answering() && keyboard_.HasDataReport()) {
      break;
    }
    if (!WaitUntil(lock, deadline, deadline)) {
      return std::size_t{0};
    }
  }
  const SimPayload payload = *keyboard_.TakeDataReport();
  std::array<std::uint8_t, kSimDataReportSize> whole{};
  std::copy(payload.begin(), payload.end(), whole.begin() + 1);
  std::size_t count = std::min(report.size(), whole.size());
  const auto garbage = faults_.TakeGarbage();
  if (garbage == GarbageKind::kWrongLength) {
    count = std::min(count, kShortDataReportSize);
  }
  std::copy_n(whole.begin(), count, report.begin());
  if (garbage == GarbageKind::kRandomBytes && count > 1) {
    FillRandom(report.subspan(1, count - 1));
  }
  return count;
}

Result<std::size_t> SimulatorHub::ReadEvent(std::uint64_t connection, int queue,
                                            std::span<std::uint8_t> report, int timeout_ms) {
  const auto deadline = DeadlineAfter(timeout_ms);
  std::unique_lock lock(mutex_);
  while (true) {
    if (auto error = CheckConnection(connection)) {
      return *error;
    }
    auto found = event_queues_.find(queue);
    if (found == event_queues_.end()) {
      return Disconnected();
    }
    if (std::exchange(found->second.interrupted, false)) {
      return std::size_t{0};
    }
    auto& events = found->second.events;
    const auto now = SteadyClock::now();
    if (!events.empty() && events.front().ready_at <= now) {
      const SimEvent bytes = events.front().bytes;
      events.pop_front();
      const std::size_t count = std::min(report.size(), bytes.size());
      std::copy_n(bytes.begin(), count, report.begin());
      return count;
    }
    // A delayed acknowledgement becomes readable at its time, not before.
    const auto wake = events.empty() ? deadline : std::min(deadline, events.front().ready_at);
    if (!WaitUntil(lock, wake, deadline)) {
      return std::size_t{0};
    }
  }
}

Result<std::size_t> SimulatorHub::ReadNothing(std::uint64_t connection, int timeout_ms) {
  const auto deadline = DeadlineAfter(timeout_ms);
  std::unique_lock lock(mutex_);
  while (true) {
    if (auto error = CheckConnection(connection)) {
      return *error;
    }
    if (!WaitUntil(lock, deadline, deadline)) {
      return std::size_t{0};
    }
  }
}

Result<std::size_t> SimulatorHub::Unsupported(std::uint64_t connection, const char* what) {
  std::lock_guard lock(mutex_);
  if (auto error = CheckConnection(connection)) {
    return *error;
  }
  return Error{ErrorCode::kIo, std::string(what) + " are not supported on this interface"};
}

int SimulatorHub::OpenEventQueue(std::uint64_t connection) {
  std::lock_guard lock(mutex_);
  const int id = next_queue_id_++;
  event_queues_[id].connection = connection;
  return id;
}

void SimulatorHub::CloseEventQueue(int queue) {
  std::lock_guard lock(mutex_);
  event_queues_.erase(queue);
}

void SimulatorHub::InterruptEventRead(int queue) {
  {
    std::lock_guard lock(mutex_);
    auto found = event_queues_.find(queue);
    if (found == event_queues_.end()) {
      return;
    }
    found->second.interrupted = true;
  }
  changed_.notify_all();
}

bool SimulatorHub::WaitUntil(std::unique_lock<std::mutex>& lock, SteadyClock::time_point until,
                             SteadyClock::time_point deadline) {
  if (SteadyClock::now() >= deadline) {
    return false;
  }
  if (until == SteadyClock::time_point::max()) {
    changed_.wait(lock);
  } else {
    changed_.wait_until(lock, until);
  }
  return true;
}

SimulatorHub::SteadyClock::time_point SimulatorHub::DeadlineAfter(int timeout_ms) {
  if (timeout_ms < 0) {
    return SteadyClock::time_point::max();
  }
  return SteadyClock::now() + std::chrono::milliseconds(timeout_ms);
}

void SimulatorHub::AfterFirmwareStep(FirmwareStep step) {
  if (step == FirmwareStep::kIgnored) {
    ++counters_.reports_ignored;
    return;
  }
  if (step != FirmwareStep::kWriteComplete) {
    return;
  }
  ++counters_.writes_completed;
  PersistLocked();
  if (faults_.TakeAcknowledgementDrop()) {
    ++counters_.acknowledgements_dropped;
    return;
  }
  ++counters_.acknowledgements_sent;
  QueueEvent(kAcknowledgement, faults_.ack_delay());
}

void SimulatorHub::QueueEvent(const SimEvent& bytes, SteadyClock::duration delay) {
  const auto ready_at = SteadyClock::now() + delay;
  for (auto& [id, queue] : event_queues_) {
    if (queue.connection != connection_) {
      continue;
    }
    if (queue.events.size() >= kEventQueueLimit) {
      ++counters_.events_overflowed;
      continue;
    }
    queue.events.push_back({ready_at, bytes});
  }
  changed_.notify_all();
}

SimulatedMemory SimulatorHub::Memory() const {
  std::lock_guard lock(mutex_);
  return keyboard_.memory();
}

void SimulatorHub::SetMemory(const SimulatedMemory& memory) {
  std::lock_guard lock(mutex_);
  keyboard_.memory() = memory;
  PersistLocked();
}

void SimulatorHub::SetFirmwareVersion(std::uint8_t major, std::uint8_t minor) {
  std::lock_guard lock(mutex_);
  keyboard_.memory().firmware_major = major;
  keyboard_.memory().firmware_minor = minor;
  PersistLocked();
}

void SimulatorHub::ChangeFaults(const std::function<void(SimulatorFaults&)>& change) {
  std::lock_guard lock(mutex_);
  change(faults_);
  // A shorter delay or a restored answer can make a waiting read's report due now.
  changed_.notify_all();
}

void SimulatorHub::SetPlugged(bool plugged) {
  std::lock_guard lock(mutex_);
  Reconnect(plugged, update_mode_);
}

bool SimulatorHub::plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void SimulatorHub::SetUpdateMode(bool update_mode) {
  std::lock_guard lock(mutex_);
  Reconnect(plugged_, update_mode);
}

// Every change of what the bus shows is a removal of the old device and an arrival of the new
// one; handles on the old one are dead from then on, and a command in progress is lost.
void SimulatorHub::Reconnect(bool plugged, bool update_mode) {
  if (plugged == plugged_ && update_mode == update_mode_) {
    return;
  }
  if (plugged_) {
    ++connection_;
    keyboard_.ResetTransfers();
    NotifyHotplug(HotplugEvent::kRemoval);
  }
  plugged_ = plugged;
  update_mode_ = update_mode;
  if (plugged_) {
    NotifyHotplug(HotplugEvent::kArrival);
  }
  changed_.notify_all();
}

void SimulatorHub::SetPermissionDenied(bool denied) {
  std::lock_guard lock(mutex_);
  permission_denied_ = denied;
}

void SimulatorHub::SendLightingChange(std::uint8_t sub_code, std::uint8_t value) {
  std::lock_guard lock(mutex_);
  if (!plugged_ || update_mode_) {
    return;
  }
  const SimEvent event = keyboard_.ChangeLightingOnKeyboard(sub_code, value);
  PersistLocked();
  QueueEvent(event, SteadyClock::duration::zero());
}

void SimulatorHub::SendEventReport(std::uint8_t kind, std::uint8_t sub_code, std::uint8_t value) {
  std::lock_guard lock(mutex_);
  if (!plugged_ || update_mode_) {
    return;
  }
  QueueEvent({kSimEventReportId, kind, sub_code, value}, SteadyClock::duration::zero());
}

SimulatorCounters SimulatorHub::Counters() const {
  std::lock_guard lock(mutex_);
  return counters_;
}

std::string SimulatorHub::LastRejection() const {
  std::lock_guard lock(mutex_);
  return keyboard_.last_rejection();
}

void SimulatorHub::PersistTo(std::filesystem::path path) {
  std::lock_guard lock(mutex_);
  persist_path_ = std::move(path);
  PersistLocked();
}

std::optional<Error> SimulatorHub::LastPersistError() const {
  std::lock_guard lock(mutex_);
  return persist_error_;
}

void SimulatorHub::PersistLocked() {
  if (!persist_path_) {
    return;
  }
  Status saved = SaveSimulatorState(*persist_path_, keyboard_.memory());
  persist_error_ = saved.ok() ? std::nullopt : std::optional<Error>(saved.error());
}

int SimulatorHub::AddHotplugListener(std::function<void(HotplugEvent)> listener) {
  std::lock_guard lock(mutex_);
  const int id = next_listener_id_++;
  hotplug_listeners_[id] = std::move(listener);
  return id;
}

void SimulatorHub::RemoveHotplugListener(int id) {
  std::lock_guard lock(mutex_);
  hotplug_listeners_.erase(id);
}

void SimulatorHub::NotifyHotplug(HotplugEvent event) {
  for (auto& [id, listener] : hotplug_listeners_) {
    listener(event);
  }
}

void SimulatorHub::FillRandom(std::span<std::uint8_t> bytes) {
  std::uniform_int_distribution<int> byte(0, 255);
  for (std::uint8_t& value : bytes) {
    value = static_cast<std::uint8_t>(byte(random_));
  }
}

}  // namespace n240qx
