#include "device/DeviceLink.h"

#include <utility>

namespace n240qx {

namespace {

bool Matches(const HidInterfaceInfo& info, std::uint16_t product_id, std::string_view marker) {
  return info.vendor_id == kKeyboardVendorId && info.product_id == product_id &&
         info.path.find(marker) != std::string::npos;
}

}  // namespace

DeviceLink::DeviceLink(HidLink& hid) : hid_(hid) {}

bool DeviceLink::FindKeyboardInterface(std::string_view marker) {
  for (const HidInterfaceInfo& info : hid_.EnumerateInterfaces()) {
    if (Matches(info, kKeyboardProductId, marker)) {
      device_path_ = info.path;
      found_vendor_id_ = info.vendor_id;
      found_product_id_ = info.product_id;
      found_permission_denied_ = info.permission_denied;
      return true;
    }
  }
  return false;
}

bool DeviceLink::FindUpdateModeInterface() {
  for (const HidInterfaceInfo& info : hid_.EnumerateInterfaces()) {
    if (Matches(info, kUpdateModeProductId, kUpdateModeInterfaceMarker)) {
      return true;
    }
  }
  return false;
}

Result<std::unique_ptr<HidDevice>> DeviceLink::OpenRecordedPath(std::string_view role) {
  const std::string what = "The keyboard's " + std::string(role) + " interface";
  if (device_path_.empty()) {
    return Error{ErrorCode::kNotFound, "No keyboard found (USB id 04d9:a124)"};
  }
  auto opened = hid_.Open(device_path_);
  if (opened.ok()) {
    return opened;
  }
  const Error& error = opened.error();
  // The search already knows when the node exists but is closed to this user; trust that
  // unless the device has gone meanwhile.
  const bool denied = error.code == ErrorCode::kPermissionDenied ||
                      (found_permission_denied_ && error.code != ErrorCode::kNotFound &&
                       error.code != ErrorCode::kDisconnected);
  if (denied) {
    return Error{ErrorCode::kPermissionDenied,
                 "Permission denied on " + device_path_ + ": install the udev rule, see README"};
  }
  return Error{error.code, what + " could not be opened (" + device_path_ + "): " + error.message};
}

Status DeviceLink::OpenCommandHandle() {
  auto opened = OpenRecordedPath("command");
  if (!opened.ok()) {
    command_.Close();
    return opened.error();
  }
  command_.Attach(std::move(opened).value());
  return Status::Ok();
}

Status DeviceLink::OpenEventHandle() {
  auto opened = OpenRecordedPath("event");
  if (!opened.ok()) {
    event_.Close();
    return opened.error();
  }
  event_.Attach(std::move(opened).value());
  return Status::Ok();
}

void DeviceLink::CloseLink() {
  command_.Close();
  event_.Close();
}

Status DeviceLink::SendFeature(std::uint8_t code, const FeatureParams& params) {
  return command_.SendFeature(code, params);
}

Result<FeatureAnswer> DeviceLink::GetFeatureAnswer() {
  return command_.GetFeatureAnswer();
}

Status DeviceLink::WriteDataReport(std::span<const std::uint8_t, kDataPayloadSize> payload) {
  return command_.WriteDataReport(payload);
}

Result<DataPayload> DeviceLink::ReadDataReport() {
  return command_.ReadDataReport();
}

Result<std::optional<EventReport>> DeviceLink::ReadEventReport(int timeout_ms) {
  return event_.ReadEventReport(timeout_ms);
}

}  // namespace n240qx
