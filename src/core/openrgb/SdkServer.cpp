#include "openrgb/SdkServer.h"

#include <algorithm>

#include "openrgb/SdkControllerCodec.h"
#include "openrgb/SdkPacket.h"
#include "openrgb/SdkRequestParser.h"

namespace n240qx {

namespace {

using namespace sdk_request;

constexpr std::uint32_t kBrightnessVersion = 3;

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
// Clang 14 does not deduce an aggregate's template arguments by itself.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

void AppendU32Packet(SdkPacketId id, std::uint32_t value, std::vector<std::uint8_t>& out) {
  SdkByteWriter payload;
  payload.U32(value);
  const auto bytes = std::move(payload).Take();
  const auto packet = EncodeSdkPacket(0, id, bytes);
  out.insert(out.end(), packet.begin(), packet.end());
}

}  // namespace

SdkServer::ConnectionId SdkServer::Open() {
  const ConnectionId id = next_id_++;
  connections_.emplace(id, SdkConnection{});
  return id;
}

void SdkServer::Close(ConnectionId id) {
  connections_.erase(id);
}

const SdkConnection* SdkServer::connection(ConnectionId id) const {
  const auto found = connections_.find(id);
  return found == connections_.end() ? nullptr : &found->second;
}

std::vector<std::uint8_t> SdkServer::OnKeyboardPresence(bool present) {
  if (!present) {
    frame_.reset();
  }
  return EncodeSdkPacket(0, SdkPacketId::kDeviceListUpdated, {});
}

SdkReply SdkServer::Receive(ConnectionId id, std::span<const std::uint8_t> bytes,
                            const SdkKeyboardView& keyboard) {
  SdkReply reply;
  const auto found = connections_.find(id);
  if (found == connections_.end()) {
    return reply;
  }
  SdkConnection& connection = found->second;
  connection.decoder.Append(bytes);
  while (auto packet = connection.decoder.Next()) {
    Result<SdkRequest> request = ParseSdkRequest(*packet, connection.protocol);
    if (!request.ok()) {
      // A refused connection is gone at once: bytes still on their way get no answer.
      connections_.erase(found);
      return SdkReply{std::move(reply.bytes), true, request.error().message};
    }
    Handle(connection, *request, keyboard, reply.bytes);
  }
  if (connection.decoder.refused()) {
    reply.close = true;
    reply.reason = connection.decoder.refusal();
    connections_.erase(found);
  }
  return reply;
}

void SdkServer::Handle(SdkConnection& connection, const SdkRequest& request,
                       const SdkKeyboardView& keyboard, std::vector<std::uint8_t>& out) {
  std::visit(
      Overloaded{
          [&](const ProtocolVersion& asked) {
            // Both sides use the lower of their highest versions; ours is answered.
            connection.protocol = std::min(asked.client_highest, sdk::kServerProtocolVersion);
            AppendU32Packet(SdkPacketId::kRequestProtocolVersion, sdk::kServerProtocolVersion, out);
          },
          [&](const ClientName& name) { connection.client_name = name.name; },
          [&](const ControllerCount&) {
            AppendU32Packet(SdkPacketId::kRequestControllerCount, keyboard.present ? 1 : 0, out);
          },
          [&](const ControllerData&) { Answer(connection, request, keyboard, out); },
          [&](const auto&) {
            // Changes go only to the one controller there is, and only while it is there.
            if (keyboard.present && request.device_index == 0) {
              Change(request.kind, connection.protocol, keyboard);
            }
          },
      },
      request.kind);
}

void SdkServer::Answer(SdkConnection& /*connection*/, const SdkRequest& request,
                       const SdkKeyboardView& keyboard, std::vector<std::uint8_t>& out) const {
  if (!keyboard.present || request.device_index != 0) {
    return;
  }
  const auto& asked = std::get<ControllerData>(request.kind);
  const std::uint32_t protocol = std::min(asked.protocol.value_or(0), sdk::kServerProtocolVersion);
  const SdkController controller =
      keyboard_.Describe(Shown(keyboard), keyboard.firmware, keyboard.location);
  const auto packet =
      EncodeSdkPacket(0, SdkPacketId::kRequestControllerData,
                      SdkControllerCodec::EncodeControllerData(controller, protocol));
  out.insert(out.end(), packet.begin(), packet.end());
}

const ConfigImage& SdkServer::Shown(const SdkKeyboardView& keyboard) const {
  return frame_ ? frame_->image() : keyboard.image;
}

SdkLightingFrame& SdkServer::Frame(const SdkKeyboardView& keyboard) {
  if (!frame_) {
    frame_.emplace(keyboard.image);
  }
  return *frame_;
}

void SdkServer::Change(const SdkRequestKind& kind, std::uint32_t protocol,
                       const SdkKeyboardView& keyboard) {
  ConfigImage& image = Frame(keyboard).image();
  std::visit(Overloaded{
                 [&](const UpdateLeds& leds) { keyboard_.SetLedColours(image, 0, leds.colours); },
                 [&](const UpdateZoneLeds& leds) {
                   if (leds.zone == 0) {
                     keyboard_.SetLedColours(image, 0, leds.colours);
                   }
                 },
                 [&](const UpdateSingleLed& led) {
                   keyboard_.SetLedColours(image, led.led, std::span(&led.colour, 1));
                 },
                 [&](const SetCustomMode&) {
                   const std::size_t custom = keyboard_.custom_mode_index();
                   keyboard_.SetMode(image, custom, SdkMode{.brightness = image.brightness()});
                 },
                 [&](const UpdateMode& update) {
                   SdkMode mode = update.mode;
                   // Before version 3 a mode carries no brightness; the keyboard keeps its own.
                   if (protocol < kBrightnessVersion) {
                     mode.brightness = image.brightness();
                   }
                   keyboard_.SetMode(image, update.mode_index, mode);
                 },
                 [](const auto&) {},
             },
             kind);
}

std::optional<std::int64_t> SdkServer::NextWriteUs() const {
  if (!frame_) {
    return std::nullopt;
  }
  return last_write_us_ ? *last_write_us_ + settings_.write_interval_us : 0;
}

std::optional<SdkLightingFrame> SdkServer::TakeFrame(const ImageBlock& held, std::int64_t now_us) {
  const auto due = NextWriteUs();
  if (!due || now_us < *due) {
    return std::nullopt;
  }
  std::optional<SdkLightingFrame> frame = std::move(frame_);
  frame_.reset();
  if (frame->SameAs(held)) {
    return std::nullopt;
  }
  last_write_us_ = now_us;
  return frame;
}

}  // namespace n240qx
