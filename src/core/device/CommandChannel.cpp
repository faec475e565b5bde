#include "device/CommandChannel.h"

#include <string>
#include <utility>

namespace n240qx {

namespace {

Error NotOpen() {
  return Error{ErrorCode::kNotOpen, "the keyboard's command interface is not open"};
}

Error Short(const char* what, std::size_t got, std::size_t wanted) {
  return Error{ErrorCode::kBadData, std::string(what) + " carried " + std::to_string(got) + " of " +
                                        std::to_string(wanted) + " bytes"};
}

Error Failed(const char* what, const Error& error) {
  return Error{error.code, std::string(what) + " failed: " + error.message};
}

}  // namespace

bool CommandChannel::IsOpen() const {
  std::lock_guard lock(mutex_);
  return device_ != nullptr;
}

void CommandChannel::Attach(std::unique_ptr<HidDevice> device) {
  std::lock_guard lock(mutex_);
  device_ = std::move(device);
}

void CommandChannel::Close() {
  std::lock_guard lock(mutex_);
  device_.reset();
}

Status CommandChannel::SendFeature(std::uint8_t code, const FeatureParams& params) {
  const FeatureReport report = BuildFeatureReport(code, params);
  std::lock_guard lock(mutex_);
  if (device_ == nullptr) {
    return NotOpen();
  }
  auto sent = device_->SendFeatureReport(report);
  if (!sent.ok()) {
    return Failed("feature report", sent.error());
  }
  if (*sent < report.size()) {
    return Short("feature report", *sent, report.size());
  }
  return Status::Ok();
}

Result<FeatureAnswer> CommandChannel::GetFeatureAnswer() {
  FeatureAnswer answer{};
  answer[0] = kFeatureReportId;
  std::lock_guard lock(mutex_);
  if (device_ == nullptr) {
    return NotOpen();
  }
  auto got = device_->GetFeatureReport(answer);
  if (!got.ok()) {
    return Failed("answer", got.error());
  }
  if (*got < answer.size()) {
    return Short("answer", *got, answer.size());
  }
  return answer;
}

Status CommandChannel::WriteDataReport(std::span<const std::uint8_t, kDataPayloadSize> payload) {
  const DataReport report = BuildDataReport(payload);
  std::lock_guard lock(mutex_);
  if (device_ == nullptr) {
    return NotOpen();
  }
  auto written = device_->WriteReport(report);
  if (!written.ok()) {
    return Failed("data report", written.error());
  }
  if (*written < report.size()) {
    return Short("data report", *written, report.size());
  }
  return Status::Ok();
}

Result<DataPayload> CommandChannel::ReadDataReport() {
  DataReport report{};
  std::lock_guard lock(mutex_);
  if (device_ == nullptr) {
    return NotOpen();
  }
  auto got = device_->ReadReport(report, kDataReportTimeoutMs);
  if (!got.ok()) {
    return Failed("data report", got.error());
  }
  if (*got == 0) {
    return Error{ErrorCode::kTimeout,
                 "no data report within " + std::to_string(kDataReportTimeoutMs) + " ms"};
  }
  if (*got < report.size()) {
    return Short("data report", *got, report.size());
  }
  return DataReportPayload(report);
}

Status CommandChannel::CheckAlive() {
  DataReport report{};
  std::lock_guard lock(mutex_);
  if (device_ == nullptr) {
    return NotOpen();
  }
  auto got = device_->ReadReport(report, 0);
  if (!got.ok()) {
    return Failed("data report", got.error());
  }
  return Status::Ok();
}

}  // namespace n240qx
