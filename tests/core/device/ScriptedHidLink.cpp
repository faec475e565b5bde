#include "ScriptedHidLink.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace n240qx::scripted {

struct ScriptedHidLink::Script {
  mutable std::mutex mutex;
  std::vector<HidInterfaceInfo> interfaces;
  std::vector<std::string> opened_paths;
  std::map<std::uint8_t, std::vector<std::uint8_t>> answers;
  std::deque<std::vector<std::uint8_t>> data_in;
  std::deque<std::vector<std::uint8_t>> events;
  std::vector<Fault> faults;
  std::map<Transfer, int> counts;
  std::vector<int> event_timeouts;
  std::uint8_t last_code = 0;
  bool unplugged = false;
  int transfers = 0;

  // Counts the transfer and returns the fault that hits it, if any.
  std::optional<Fault> Take(Transfer transfer) {
    ++transfers;
    const int nth = counts[transfer]++;
    if (unplugged) {
      return Fault{transfer, nth, FaultKind::kError, ErrorCode::kDisconnected};
    }
    for (const Fault& fault : faults) {
      if (fault.transfer == transfer && fault.nth == nth) {
        return fault;
      }
    }
    return std::nullopt;
  }
};

namespace {

using Script = ScriptedHidLink::Script;

Error Failure(const Fault& fault) {
  return Error{fault.code,
               fault.code == ErrorCode::kDisconnected ? "device unplugged" : "scripted failure"};
}

class ScriptedHidDevice final : public HidDevice {
 public:
  explicit ScriptedHidDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {}

  Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t> report) override {
    std::lock_guard lock(script_->mutex);
    if (auto fault = script_->Take(Transfer::kFeature)) {
      return Spoilt(*fault, report.size());
    }
    script_->last_code = report.size() > 1 ? report[1] : 0;
    return report.size();
  }

  Result<std::size_t> GetFeatureReport(std::span<std::uint8_t> report) override {
    std::lock_guard lock(script_->mutex);
    const auto fault = script_->Take(Transfer::kAnswer);
    if (fault && fault->kind != FaultKind::kShort) {
      return Spoilt(*fault, 0);
    }
    std::vector<std::uint8_t> answer(9, 0);
    if (auto found = script_->answers.find(script_->last_code); found != script_->answers.end()) {
      answer = found->second;
    }
    const std::size_t length =
        std::min({answer.size(), report.size(), fault ? fault->short_length : answer.size()});
    std::copy_n(answer.begin(), length, report.begin());
    return length;
  }

  Result<std::size_t> WriteReport(std::span<const std::uint8_t> report) override {
    std::lock_guard lock(script_->mutex);
    if (auto fault = script_->Take(Transfer::kDataOut)) {
      return Spoilt(*fault, report.size());
    }
    return report.size();
  }

  Result<std::size_t> ReadReport(std::span<std::uint8_t> report, int timeout_ms) override {
    std::lock_guard lock(script_->mutex);
    const bool is_event = report.size() == 4;
    if (is_event) {
      script_->event_timeouts.push_back(timeout_ms);
    }
    auto& queue = is_event ? script_->events : script_->data_in;
    const auto fault = script_->Take(is_event ? Transfer::kEvent : Transfer::kDataIn);
    if (fault && fault->kind != FaultKind::kShort) {
      return Spoilt(*fault, 0);
    }
    if (queue.empty()) {
      return std::size_t{0};
    }
    const std::vector<std::uint8_t> next = std::move(queue.front());
    queue.pop_front();
    const std::size_t length =
        std::min({next.size(), report.size(), fault ? fault->short_length : next.size()});
    std::copy_n(next.begin(), length, report.begin());
    return length;
  }

 private:
  static Result<std::size_t> Spoilt(const Fault& fault, std::size_t full) {
    switch (fault.kind) {
      case FaultKind::kError:
        return Failure(fault);
      case FaultKind::kTimeout:
        return std::size_t{0};
      case FaultKind::kShort:
        return std::min(fault.short_length, full);
    }
    return Failure(fault);
  }

  std::shared_ptr<Script> script_;
};

}  // namespace

ScriptedHidLink::ScriptedHidLink() : script_(std::make_shared<Script>()) {}

void ScriptedHidLink::AddInterface(HidInterfaceInfo info) {
  std::lock_guard lock(script_->mutex);
  script_->interfaces.push_back(std::move(info));
}

void ScriptedHidLink::AddKeyboardInterfaces(const std::string& node) {
  for (const char* part : {"&mi_00", "&mi_01&col01", "&mi_03", "&mi_03&col04"}) {
    AddInterface({node + "#vid_04d9&pid_a124" + part, 0x04D9, 0xA124, false});
  }
}

void ScriptedHidLink::SetAnswer(std::uint8_t code, std::vector<std::uint8_t> answer) {
  std::lock_guard lock(script_->mutex);
  script_->answers[code] = std::move(answer);
}

void ScriptedHidLink::QueueDataPayloads(std::span<const std::uint8_t> payloads) {
  std::lock_guard lock(script_->mutex);
  for (std::size_t offset = 0; offset + 64 <= payloads.size(); offset += 64) {
    std::vector<std::uint8_t> report(65, 0);
    std::copy_n(payloads.begin() + static_cast<std::ptrdiff_t>(offset), 64, report.begin() + 1);
    script_->data_in.push_back(std::move(report));
  }
}

void ScriptedHidLink::QueueEvent(std::vector<std::uint8_t> report) {
  std::lock_guard lock(script_->mutex);
  script_->events.push_back(std::move(report));
}

void ScriptedHidLink::AddFault(Fault fault) {
  std::lock_guard lock(script_->mutex);
  script_->faults.push_back(fault);
}

void ScriptedHidLink::Unplug() {
  std::lock_guard lock(script_->mutex);
  script_->unplugged = true;
}

int ScriptedHidLink::TransferCount() const {
  std::lock_guard lock(script_->mutex);
  return script_->transfers;
}

std::size_t ScriptedHidLink::QueuedDataReports() const {
  std::lock_guard lock(script_->mutex);
  return script_->data_in.size();
}

std::vector<int> ScriptedHidLink::EventTimeouts() const {
  std::lock_guard lock(script_->mutex);
  return script_->event_timeouts;
}

std::vector<std::string> ScriptedHidLink::OpenedPaths() const {
  std::lock_guard lock(script_->mutex);
  return script_->opened_paths;
}

std::vector<HidInterfaceInfo> ScriptedHidLink::EnumerateInterfaces() {
  std::lock_guard lock(script_->mutex);
  if (script_->unplugged) {
    return {};
  }
  return script_->interfaces;
}

Result<std::unique_ptr<HidDevice>> ScriptedHidLink::Open(const std::string& path) {
  std::lock_guard lock(script_->mutex);
  script_->opened_paths.push_back(path);
  const auto found = std::find_if(script_->interfaces.begin(), script_->interfaces.end(),
                                  [&](const HidInterfaceInfo& info) { return info.path == path; });
  if (script_->unplugged || found == script_->interfaces.end()) {
    return Error{ErrorCode::kNotFound, "no such device"};
  }
  if (found->permission_denied) {
    return Error{ErrorCode::kPermissionDenied, "permission denied"};
  }
  return std::unique_ptr<HidDevice>(std::make_unique<ScriptedHidDevice>(script_));
}

}  // namespace n240qx::scripted
