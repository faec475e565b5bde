#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "openrgb/KeyboardController.h"
#include "openrgb/SdkConnection.h"
#include "openrgb/SdkKeyboardView.h"
#include "openrgb/SdkLightingFrame.h"
#include "openrgb/SdkReply.h"
#include "openrgb/SdkRequest.h"
#include "openrgb/SdkServerSettings.h"

namespace n240qx {

// The SDK server without its sockets: each connection's requests in, answers out, and the
// lighting the clients ask for collected into one frame. Frames are coalesced (the latest
// wins) and handed out for writing at most once per interval, and only when they differ from
// what the keyboard holds. Time comes in as microseconds, so tests run it on a virtual clock.
class SdkServer {
 public:
  using ConnectionId = std::uint64_t;

  explicit SdkServer(SdkServerSettings settings = {}) : settings_(settings) {}

  ConnectionId Open();
  void Close(ConnectionId id);
  std::size_t connection_count() const { return connections_.size(); }
  const SdkConnection* connection(ConnectionId id) const;

  SdkReply Receive(ConnectionId id, std::span<const std::uint8_t> bytes,
                   const SdkKeyboardView& keyboard);

  // The keyboard arrived or went: the device-list-updated packet to send on every
  // connection. Lighting asked for a keyboard that went is dropped with it.
  std::vector<std::uint8_t> OnKeyboardPresence(bool present);

  bool frame_pending() const { return frame_.has_value(); }
  // When the pending frame may be written; nothing when none is pending.
  std::optional<std::int64_t> NextWriteUs() const;
  // The pending frame when its time has come and `held` does not already show it; a frame the
  // keyboard already shows is dropped. The caller writes it at once.
  std::optional<SdkLightingFrame> TakeFrame(const ImageBlock& held, std::int64_t now_us);

 private:
  void Handle(SdkConnection& connection, const SdkRequest& request, const SdkKeyboardView& keyboard,
              std::vector<std::uint8_t>& out);
  void Answer(SdkConnection& connection, const SdkRequest& request, const SdkKeyboardView& keyboard,
              std::vector<std::uint8_t>& out) const;
  void Change(const SdkRequestKind& kind, std::uint32_t protocol, const SdkKeyboardView& keyboard);
  SdkLightingFrame& Frame(const SdkKeyboardView& keyboard);
  const ConfigImage& Shown(const SdkKeyboardView& keyboard) const;

  SdkServerSettings settings_;
  KeyboardController keyboard_;
  std::map<ConnectionId, SdkConnection> connections_;
  ConnectionId next_id_ = 1;
  std::optional<SdkLightingFrame> frame_;
  std::optional<std::int64_t> last_write_us_;
};

}  // namespace n240qx
