#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/CommandChannel.h"
#include "device/DataReport.h"
#include "device/EventChannel.h"
#include "device/EventReport.h"
#include "device/FeatureReport.h"
#include "device/HidLink.h"
#include "device/KeyboardIds.h"
#include "util/Result.h"

namespace n240qx {

inline constexpr std::string_view kCommandInterfaceMarker = "mi_03";
inline constexpr std::string_view kEventInterfaceMarker = "ol04";
inline constexpr std::string_view kUpdateModeInterfaceMarker = "mi_02";

// Finds the keyboard among the HID interfaces and owns its two handles. The search and the opens
// run on one thread (start-up, arrival); afterwards the command channel belongs to whichever
// thread runs a sequence and the event channel to the listener, and the two share no state.
class DeviceLink {
 public:
  explicit DeviceLink(HidLink& hid);

  // Looks for the first interface of the keyboard (vendor 0x04D9, product 0xA124) whose path
  // holds `marker` (case-sensitive) and records it for the next open. Without a match nothing
  // recorded changes, so the next open targets the previous path. Returns whether it matched.
  bool FindKeyboardInterface(std::string_view marker);
  // Whether the keyboard in firmware-update mode (product 0xA126, interface "mi_02") is
  // attached; records nothing.
  bool FindUpdateModeInterface();

  const std::string& device_path() const { return device_path_; }
  std::uint16_t found_vendor_id() const { return found_vendor_id_; }
  std::uint16_t found_product_id() const { return found_product_id_; }

  // Open the recorded path, replacing a handle that was open; a failed open leaves the handle
  // closed. kNotFound when there is no such keyboard, kPermissionDenied (with what to do about
  // it) when the node may not be opened.
  Status OpenCommandHandle();
  Status OpenEventHandle();
  bool CommandOpen() const { return command_.IsOpen(); }
  bool EventOpen() const { return event_.IsOpen(); }
  void CloseCommandHandle() { command_.Close(); }
  void CloseEventHandle() { event_.Close(); }
  // Closes whichever handle is open.
  void CloseLink();

  // One transfer each on the command interface; see CommandChannel.
  Status SendFeature(std::uint8_t code, const FeatureParams& params);
  Result<FeatureAnswer> GetFeatureAnswer();
  Status WriteDataReport(std::span<const std::uint8_t, kDataPayloadSize> payload);
  Result<DataPayload> ReadDataReport();
  // For the listener: waits at most min(timeout_ms, 200 ms); nullopt when nothing came.
  Result<std::optional<EventReport>> ReadEventReport(int timeout_ms);

  CommandChannel& command_channel() { return command_; }
  EventChannel& event_channel() { return event_; }

 private:
  Result<std::unique_ptr<HidDevice>> OpenRecordedPath(std::string_view role);

  HidLink& hid_;
  std::string device_path_;
  std::uint16_t found_vendor_id_ = 0;
  std::uint16_t found_product_id_ = 0;
  bool found_permission_denied_ = false;
  CommandChannel command_;
  EventChannel event_;
};

}  // namespace n240qx
