#pragma once

#include <memory>
#include <string>

#include "hid/HidapiLibrary.h"
#include "hid/RawHidHandle.h"

struct hid_device_;

namespace n240qx {

// A node opened with hid_open_path; closes it when destroyed, and keeps hidapi itself alive
// until then.
class HidapiHandle final : public RawHidHandle {
 public:
  HidapiHandle(std::shared_ptr<HidapiLibrary> library, hid_device_* handle);
  ~HidapiHandle() override;
  HidapiHandle(const HidapiHandle&) = delete;
  HidapiHandle& operator=(const HidapiHandle&) = delete;

  RawHidResult SendFeature(std::span<const std::uint8_t> report) override;
  RawHidResult GetFeature(std::span<std::uint8_t> report) override;
  RawHidResult Write(std::span<const std::uint8_t> report) override;
  RawHidResult Read(std::span<std::uint8_t> buffer, int timeout_ms) override;
  std::string LastError() override;

 private:
  std::shared_ptr<HidapiLibrary> library_;
  hid_device_* handle_;
};

}  // namespace n240qx
