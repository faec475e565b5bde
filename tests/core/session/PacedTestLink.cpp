#include "core/session/PacedTestLink.h"

#include <chrono>
#include <utility>

namespace n240qx::testing {

namespace {

constexpr auto kPacingLimit = std::chrono::seconds(1);

class PacedDevice final : public HidDevice {
 public:
  PacedDevice(std::unique_ptr<HidDevice> inner, PacedTestLink& link, bool event)
      : inner_(std::move(inner)), link_(link), event_(event) {
    if (event_) {
      link_.EventHandleOpened();
    }
  }
  ~PacedDevice() override {
    if (event_) {
      link_.EventHandleLost();
    }
  }

  Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t> report) override {
    link_.BeforeFeature(report);
    auto sent = inner_->SendFeatureReport(report);
    link_.AfterFeature(report);
    if (sent.ok()) {
      link_.AfterOutput();
    }
    return sent;
  }
  Result<std::size_t> GetFeatureReport(std::span<std::uint8_t> report) override {
    return inner_->GetFeatureReport(report);
  }
  Result<std::size_t> WriteReport(std::span<const std::uint8_t> report) override {
    auto written = inner_->WriteReport(report);
    if (written.ok()) {
      link_.AfterOutput();
    }
    return written;
  }
  Result<std::size_t> ReadReport(std::span<std::uint8_t> report, int timeout_ms) override {
    if (!event_) {
      return inner_->ReadReport(report, timeout_ms);
    }
    link_.EventReadStarts();
    auto read = inner_->ReadReport(report, timeout_ms);
    if (!read.ok()) {
      link_.EventHandleLost();
    } else if (*read > 0) {
      link_.EventDelivered(report.first(*read));
    }
    return read;
  }
  void InterruptRead() override { inner_->InterruptRead(); }

 private:
  std::unique_ptr<HidDevice> inner_;
  PacedTestLink& link_;
  bool event_;
};

}  // namespace

Result<std::unique_ptr<HidDevice>> PacedTestLink::Open(const std::string& path) {
  const bool event = path.find("col04") != std::string::npos;
  {
    std::lock_guard lock(mutex_);
    if (event && refuse_event_opens_) {
      return Error{ErrorCode::kPermissionDenied, "Permission denied on " + path};
    }
  }
  auto opened = sim_.Open(path);
  if (!opened.ok()) {
    return opened.error();
  }
  return std::unique_ptr<HidDevice>(
      std::make_unique<PacedDevice>(std::move(opened).value(), *this, event));
}

void PacedTestLink::SetPacing(bool on) {
  std::lock_guard lock(mutex_);
  pacing_ = on;
}

void PacedTestLink::RefuseEventOpens(bool refuse) {
  std::lock_guard lock(mutex_);
  refuse_event_opens_ = refuse;
}

void PacedTestLink::SetBeforeFeature(FeatureHook hook) {
  std::lock_guard lock(mutex_);
  before_ = std::move(hook);
}

void PacedTestLink::SetAfterFeature(FeatureHook hook) {
  std::lock_guard lock(mutex_);
  after_ = std::move(hook);
}

void PacedTestLink::BeforeFeature(std::span<const std::uint8_t> feature) {
  FeatureHook hook;
  {
    std::lock_guard lock(mutex_);
    hook = before_;
  }
  if (hook) {
    hook(feature);
  }
}

void PacedTestLink::AfterFeature(std::span<const std::uint8_t> feature) {
  FeatureHook hook;
  {
    std::lock_guard lock(mutex_);
    hook = after_;
  }
  if (hook) {
    hook(feature);
  }
}

void PacedTestLink::AfterOutput() {
  const int produced = sim_.Counters().acknowledgements_sent;
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, kPacingLimit, [&] {
    return !pacing_ || !event_open_ || (acks_delivered_ >= produced && read_since_delivery_);
  });
}

void PacedTestLink::EventReadStarts() {
  {
    std::lock_guard lock(mutex_);
    read_since_delivery_ = true;
  }
  changed_.notify_all();
}

void PacedTestLink::EventDelivered(std::span<const std::uint8_t> report) {
  if (report.size() < 2 || report[1] != 4) {
    return;
  }
  std::lock_guard lock(mutex_);
  ++acks_delivered_;
  read_since_delivery_ = false;
}

void PacedTestLink::EventHandleOpened() {
  const int produced = sim_.Counters().acknowledgements_sent;
  {
    std::lock_guard lock(mutex_);
    // Acknowledgements sent before the handle existed never reach it.
    acks_delivered_ = produced;
    read_since_delivery_ = true;
    event_open_ = true;
  }
  changed_.notify_all();
}

void PacedTestLink::EventHandleLost() {
  {
    std::lock_guard lock(mutex_);
    event_open_ = false;
  }
  changed_.notify_all();
}

}  // namespace n240qx::testing
