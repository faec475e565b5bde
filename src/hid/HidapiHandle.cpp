#include "hid/HidapiHandle.h"

#include <hidapi/hidapi.h>

#include <cerrno>
#include <utility>

#include "hid/HidapiError.h"

namespace n240qx {

namespace {

// hidapi leaves errno alone on some failures (a hang-up seen by poll), so it is cleared first:
// a failure with errno 0 is then known to be one of those.
template <typename Call>
RawHidResult Capture(Call call) {
  errno = 0;
  RawHidResult result;
  result.value = call();
  result.error_number = result.value < 0 ? errno : 0;
  return result;
}

}  // namespace

HidapiHandle::HidapiHandle(std::shared_ptr<HidapiLibrary> library, hid_device_* handle)
    : library_(std::move(library)), handle_(handle) {}

HidapiHandle::~HidapiHandle() {
  hid_close(handle_);
}

// hidraw and Windows agree on every report sent: byte 0 is the report number, 0 for unnumbered
// reports, and the USB HID driver leaves that 0 off the wire. A 9-byte feature report therefore
// travels as 8 bytes and a 65-byte data report as 64, exactly as from Windows.
RawHidResult HidapiHandle::SendFeature(std::span<const std::uint8_t> report) {
  return Capture([&] { return hid_send_feature_report(handle_, report.data(), report.size()); });
}

// The kernel keeps byte 0 as the caller set it and counts it in the length, as Windows does.
RawHidResult HidapiHandle::GetFeature(std::span<std::uint8_t> report) {
  return Capture([&] { return hid_get_feature_report(handle_, report.data(), report.size()); });
}

RawHidResult HidapiHandle::Write(std::span<const std::uint8_t> report) {
  return Capture([&] { return hid_write(handle_, report.data(), report.size()); });
}

// Unlike Windows, hidraw hands over an unnumbered input report without a leading 0; the caller
// frames it (ReportFraming).
RawHidResult HidapiHandle::Read(std::span<std::uint8_t> buffer, int timeout_ms) {
  return Capture(
      [&] { return hid_read_timeout(handle_, buffer.data(), buffer.size(), timeout_ms); });
}

std::string HidapiHandle::LastError() {
  return NarrowHidapiText(hid_error(handle_));
}

}  // namespace n240qx
