#include "device/LoggingHidLink.h"

#include <algorithm>
#include <utility>

namespace n240qx {

namespace {

// Data reports are 65 bytes; the only other input report the program reads is the event report.
constexpr std::size_t kDataReportSize = 65;

class LoggingHidDevice final : public HidDevice {
 public:
  LoggingHidDevice(std::unique_ptr<HidDevice> inner, WireLog& log)
      : inner_(std::move(inner)), log_(log) {}

  Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t> report) override {
    auto result = inner_->SendFeatureReport(report);
    LogOutgoing(result, WireKind::kFeature, report);
    return result;
  }

  Result<std::size_t> GetFeatureReport(std::span<std::uint8_t> report) override {
    auto result = inner_->GetFeatureReport(report);
    LogIncoming(result, WireKind::kAnswer, report);
    return result;
  }

  Result<std::size_t> WriteReport(std::span<const std::uint8_t> report) override {
    auto result = inner_->WriteReport(report);
    LogOutgoing(result, WireKind::kData, report);
    return result;
  }

  Result<std::size_t> ReadReport(std::span<std::uint8_t> report, int timeout_ms) override {
    auto result = inner_->ReadReport(report, timeout_ms);
    // A read that timed out carried nothing over the wire.
    if (!result.ok() || *result > 0) {
      LogIncoming(result, report.size() == kDataReportSize ? WireKind::kData : WireKind::kEvent,
                  report);
    }
    return result;
  }

  void InterruptRead() override { inner_->InterruptRead(); }

 private:
  void LogOutgoing(const Result<std::size_t>& result, WireKind kind,
                   std::span<const std::uint8_t> report) {
    if (result.ok()) {
      log_.Record(WireDirection::kOut, kind, report);
    } else {
      log_.RecordError(WireDirection::kOut, kind, result.error().message);
    }
  }

  void LogIncoming(const Result<std::size_t>& result, WireKind kind,
                   std::span<const std::uint8_t> report) {
    if (result.ok()) {
      log_.Record(WireDirection::kIn, kind, report.first(std::min(*result, report.size())));
    } else {
      log_.RecordError(WireDirection::kIn, kind, result.error().message);
    }
  }

  std::unique_ptr<HidDevice> inner_;
  WireLog& log_;
};

}  // namespace

LoggingHidLink::LoggingHidLink(HidLink& inner, WireLog& log) : inner_(inner), log_(log) {}

std::vector<HidInterfaceInfo> LoggingHidLink::EnumerateInterfaces() {
  return inner_.EnumerateInterfaces();
}

Result<std::unique_ptr<HidDevice>> LoggingHidLink::Open(const std::string& path) {
  auto opened = inner_.Open(path);
  if (!opened.ok()) {
    return opened.error();
  }
  return std::unique_ptr<HidDevice>(
      std::make_unique<LoggingHidDevice>(std::move(opened).value(), log_));
}

}  // namespace n240qx
