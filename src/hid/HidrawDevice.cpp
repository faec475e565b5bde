#include "hid/HidrawDevice.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <utility>

#include "hid/HidapiError.h"

namespace n240qx {

namespace {

// The kernel's limit for one report, so that no report of any collection is cut short.
constexpr std::size_t kMaxReportSize = 16384;

}  // namespace

HidrawDevice::HidrawDevice(std::unique_ptr<RawHidHandle> handle, std::string node,
                           ReportFraming framing)
    : handle_(std::move(handle)),
      node_(std::move(node)),
      framing_(std::move(framing)),
      read_buffer_(kMaxReportSize) {}

Error HidrawDevice::Disconnected() const {
  return HidErrorFromErrno(ENODEV, node_, HidStage::kTransfer, "");
}

Result<std::size_t> HidrawDevice::Finish(RawHidResult result) {
  if (result.value >= 0) {
    return static_cast<std::size_t>(result.value);
  }
  // hidapi reports a hang-up seen by poll without errno, and the kernel answers a read on a
  // vanished device with EIO; either way a node that is gone means the keyboard was unplugged.
  int error_number = result.error_number;
  if (error_number == 0 || ::access(node_.c_str(), F_OK) != 0) {
    error_number = ENODEV;
  }
  Error error = HidErrorFromErrno(error_number, node_, HidStage::kTransfer, handle_->LastError());
  if (error.code == ErrorCode::kDisconnected) {
    disconnected_ = true;
  }
  return error;
}

Result<std::size_t> HidrawDevice::SendFeatureReport(std::span<const std::uint8_t> report) {
  if (disconnected_) {
    return Disconnected();
  }
  if (Status check = framing_.CheckFeature(report); !check) {
    return check.error();
  }
  return Finish(handle_->SendFeature(report));
}

Result<std::size_t> HidrawDevice::GetFeatureReport(std::span<std::uint8_t> report) {
  if (disconnected_) {
    return Disconnected();
  }
  if (Status check = framing_.CheckFeature(report); !check) {
    return check.error();
  }
  return Finish(handle_->GetFeature(report));
}

Result<std::size_t> HidrawDevice::WriteReport(std::span<const std::uint8_t> report) {
  if (disconnected_) {
    return Disconnected();
  }
  if (Status check = framing_.CheckOutput(report); !check) {
    return check.error();
  }
  return Finish(handle_->Write(report));
}

Result<std::size_t> HidrawDevice::ReadReport(std::span<std::uint8_t> report, int timeout_ms) {
  if (disconnected_) {
    return Disconnected();
  }
  if (report.empty()) {
    return Error{ErrorCode::kInvalidArgument, "A report buffer needs room for the report id"};
  }
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
  for (;;) {
    int wait_ms = -1;
    if (timeout_ms >= 0) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      wait_ms = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
    }
    const RawHidResult got = handle_->Read(read_buffer_, wait_ms);
    if (got.value <= 0) {
      return Finish(got);
    }
    const std::size_t length = std::min(static_cast<std::size_t>(got.value), read_buffer_.size());
    if (auto framed = framing_.FrameInput(std::span(read_buffer_).first(length), report)) {
      return *framed;
    }
    if (timeout_ms >= 0 && Clock::now() >= deadline) {
      return std::size_t{0};
    }
  }
}

}  // namespace n240qx
