#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/HidDevice.h"
#include "hid/RawHidHandle.h"
#include "hid/ReportFraming.h"

namespace n240qx {

// One top-level collection opened on a hidraw node. Reports keep the Windows framing (see
// ReportFraming) and reads see only the opened collection's input reports. Once the node is
// gone, every call answers kDisconnected.
class HidrawDevice final : public HidDevice {
 public:
  HidrawDevice(std::unique_ptr<RawHidHandle> handle, std::string node, ReportFraming framing);

  Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t> report) override;
  Result<std::size_t> GetFeatureReport(std::span<std::uint8_t> report) override;
  Result<std::size_t> WriteReport(std::span<const std::uint8_t> report) override;
  // A negative timeout waits without limit, as hidapi does. Reports of the interface's other
  // collections are dropped and the wait goes on within the same time-out.
  Result<std::size_t> ReadReport(std::span<std::uint8_t> report, int timeout_ms) override;

 private:
  Result<std::size_t> Finish(RawHidResult result);
  Error Disconnected() const;

  std::unique_ptr<RawHidHandle> handle_;
  std::string node_;
  ReportFraming framing_;
  std::vector<std::uint8_t> read_buffer_;
  bool disconnected_ = false;
};

}  // namespace n240qx
