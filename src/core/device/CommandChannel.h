#pragma once

#include <memory>
#include <mutex>
#include <span>

#include "device/DataReport.h"
#include "device/FeatureReport.h"
#include "device/HidDevice.h"
#include "util/Result.h"

namespace n240qx {

// How long a data report the keyboard owes us may take before the read gives up.
inline constexpr int kDataReportTimeoutMs = 1000;

// The command interface: every feature report, answer and data report. One sequence at a time
// uses it; the lock only keeps a close from another thread from pulling the device away in the
// middle of a transfer (the close then waits for that transfer to end).
class CommandChannel {
 public:
  bool IsOpen() const;
  // Takes over `device`, closing whatever was open before.
  void Attach(std::unique_ptr<HidDevice> device);
  void Close();

  // Builds the request (checksum included) and sends it; a short send is an error.
  Status SendFeature(std::uint8_t code, const FeatureParams& params);
  // Fetches the answer into a zeroed buffer; an answer of fewer than 9 bytes is kBadData.
  Result<FeatureAnswer> GetFeatureAnswer();
  Status WriteDataReport(std::span<const std::uint8_t, kDataPayloadSize> payload);
  // Waits at most kDataReportTimeoutMs: kTimeout when nothing came, kBadData when the report
  // is short.
  Result<DataPayload> ReadDataReport();
  // Whether the device is still there, without sending anything: a read that does not wait.
  // Between sequences the keyboard owes no data report, so at most a stale one is dropped.
  Status CheckAlive();

 private:
  mutable std::mutex mutex_;
  std::unique_ptr<HidDevice> device_;
};

}  // namespace n240qx
