#include "sim/SimulatorHub.h"

#include <algorithm>
#include <type_traits>
#include <utility>

#include "sim/SimulatedHidDevice.h"
#include "sim/SimulatorStateFile.h"

namespace n240qx {

namespace {

// A hidraw node buffers this many input reports per reader and drops what comes on top.
constexpr std::size_t kEventQueueLimit = 64;
// Garbage of the wrong length is this long, answers and data reports alike.
constexpr std::size_t kShortAnswerSize = 5;
constexpr std::size_t kShortDataReportSize = 33;
constexpr SimEvent kAcknowledgement = {kSimEventReportId, 4, 0, 0};

Error Disconnected() {
  return Error{ErrorCode::kDisconnected, "the simulated keyboard was unplugged"};
}

}  // namespace

SimulatorHub::SimulatorHub(SimulatedMemory memory) : keyboard_(std::move(memory)) {}

template <typename Body>
auto SimulatorHub::Locked(Body&& body) {
  AfterUnlock after;
  if constexpr (std::is_void_v<decltype(body(after))>) {
    {
      std::lock_guard lock(mutex_);
      body(after);
    }
    Run(after);
  } else {
    auto result = [&] {
      std::lock_guard lock(mutex_);
      return body(after);
    }();
    Run(after);
    return result;
  }
}

void SimulatorHub::Run(const AfterUnlock& after) {
  if (after.save) {
    persistence_.Save(after.save->first, after.save->second);
  }
  for (HotplugEvent event : after.plug_events) {
    hotplug_listeners_.Notify(event);
  }
}

void SimulatorHub::Persist(AfterUnlock& after) {
  after.save.emplace(++memory_version_, keyboard_.memory());
}

std::vector<HidInterfaceInfo> SimulatorHub::EnumerateInterfaces() const {
  std::lock_guard lock(mutex_);
  return plug_.Interfaces();
}

Result<std::unique_ptr<HidDevice>> SimulatorHub::Open(const std::string& path) {
  std::uint64_t connection = 0;
  std::optional<SimInterfaceRole> role;
  {
    std::lock_guard lock(mutex_);
    role = plug_.RoleAt(path);
    if (!role) {
      return Error{ErrorCode::kNotFound, "no simulated keyboard interface at " + path};
    }
    if (plug_.permission_denied()) {
      return Error{ErrorCode::kPermissionDenied,
                   "Permission denied on " + path + ": install the udev rule, see README"};
    }
    connection = plug_.connection();
  }
  // Outside the lock: an event handle registers its queue with the hub as it is made.
  return std::unique_ptr<HidDevice>(
      std::make_unique<SimulatedHidDevice>(shared_from_this(), *role, connection));
}

std::optional<Error> SimulatorHub::CheckConnection(std::uint64_t connection) const {
  if (connection != plug_.connection()) {
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
  return Locked([&](AfterUnlock& after) -> Result<std::size_t> {
    return SendFeatureLocked(connection, report, after);
  });
}

Result<std::size_t> SimulatorHub::SendFeatureLocked(std::uint64_t connection,
                                                    std::span<const std::uint8_t> report,
                                                    AfterUnlock& after) {
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
    AfterFirmwareStep(step, after);
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
  return Locked([&](AfterUnlock& after) -> Result<std::size_t> {
    return WriteDataLocked(connection, report, after);
  });
}

Result<std::size_t> SimulatorHub::WriteDataLocked(std::uint64_t connection,
                                                  std::span<const std::uint8_t> report,
                                                  AfterUnlock& after) {
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
    AfterFirmwareStep(keyboard_.HandleDataReport(report.subspan<1, kSimDataPayloadSize>()), after);
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

void SimulatorHub::AfterFirmwareStep(FirmwareStep step, AfterUnlock& after) {
  if (step == FirmwareStep::kIgnored) {
    ++counters_.reports_ignored;
    return;
  }
  if (step != FirmwareStep::kWriteComplete) {
    return;
  }
  ++counters_.writes_completed;
  Persist(after);
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
    if (queue.connection != plug_.connection()) {
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
  Locked([&](AfterUnlock& after) {
    keyboard_.memory() = memory;
    Persist(after);
  });
}

void SimulatorHub::SetFirmwareVersion(std::uint8_t major, std::uint8_t minor) {
  Locked([&](AfterUnlock& after) {
    keyboard_.memory().firmware_major = major;
    keyboard_.memory().firmware_minor = minor;
    Persist(after);
  });
}

void SimulatorHub::ChangeFaults(const std::function<void(SimulatorFaults&)>& change) {
  std::lock_guard lock(mutex_);
  change(faults_);
  // A shorter delay or a restored answer can make a waiting read's report due now.
  changed_.notify_all();
}

void SimulatorHub::SetPlugged(bool plugged) {
  Locked([&](AfterUnlock& after) { Reconnect(plugged, plug_.update_mode(), after); });
}

bool SimulatorHub::plugged() const {
  std::lock_guard lock(mutex_);
  return plug_.plugged();
}

void SimulatorHub::SetUpdateMode(bool update_mode) {
  Locked([&](AfterUnlock& after) { Reconnect(plug_.plugged(), update_mode, after); });
}

// A command in progress on the old device is lost with it.
void SimulatorHub::Reconnect(bool plugged, bool update_mode, AfterUnlock& after) {
  after.plug_events = plug_.Reconnect(plugged, update_mode);
  if (!after.plug_events.empty() && after.plug_events.front() == HotplugEvent::kRemoval) {
    keyboard_.ResetTransfers();
  }
  changed_.notify_all();
}

void SimulatorHub::SetPermissionDenied(bool denied) {
  std::lock_guard lock(mutex_);
  plug_.set_permission_denied(denied);
}

void SimulatorHub::SendLightingChange(std::uint8_t sub_code, std::uint8_t value) {
  Locked([&](AfterUnlock& after) {
    if (!plug_.working()) {
      return;
    }
    const SimEvent event = keyboard_.ChangeLightingOnKeyboard(sub_code, value);
    Persist(after);
    QueueEvent(event, SteadyClock::duration::zero());
  });
}

void SimulatorHub::SendEventReport(std::uint8_t kind, std::uint8_t sub_code, std::uint8_t value) {
  std::lock_guard lock(mutex_);
  if (!plug_.working()) {
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
  persistence_.SetPath(std::move(path));
  Locked([&](AfterUnlock& after) { Persist(after); });
}

std::optional<Error> SimulatorHub::LastPersistError() const {
  return persistence_.LastError();
}

int SimulatorHub::AddHotplugListener(std::function<void(HotplugEvent)> listener) {
  return hotplug_listeners_.Add(std::move(listener));
}

void SimulatorHub::RemoveHotplugListener(int id) {
  hotplug_listeners_.Remove(id);
}

void SimulatorHub::FillRandom(std::span<std::uint8_t> bytes) {
  std::uniform_int_distribution<int> byte(0, 255);
  for (std::uint8_t& value : bytes) {
    value = static_cast<std::uint8_t>(byte(random_));
  }
}

}  // namespace n240qx
