#include "openrgb/SdkRequestParser.h"

#include <algorithm>
#include <string>

#include "openrgb/SdkByteReader.h"
#include "openrgb/SdkControllerCodec.h"

namespace n240qx {

namespace {

using namespace sdk_request;

Error Bad(const std::string& what) {
  return Error{ErrorCode::kBadData, what};
}

// The blocks that start with their own size must agree with the packet's.
bool SizeFieldMatches(SdkByteReader& in, std::size_t packet_size) {
  const auto size = in.U32();
  return size && *size == packet_size;
}

std::optional<std::vector<RgbColour>> ColourList(SdkByteReader& in) {
  const auto count = in.U16();
  if (!count || std::size_t{*count} * 4 != in.remaining()) {
    return std::nullopt;
  }
  std::vector<RgbColour> colours;
  colours.reserve(*count);
  for (std::uint16_t i = 0; i < *count; ++i) {
    colours.push_back(RgbColour::FromPacked(*in.U32()));
  }
  return colours;
}

Result<SdkRequestKind> ParseLeds(SdkPacketId id, SdkByteReader& in, std::size_t size) {
  if (!SizeFieldMatches(in, size)) {
    return Bad("an LED update whose size field disagrees with its packet");
  }
  std::optional<std::uint32_t> zone;
  if (id == SdkPacketId::kUpdateZoneLeds && !(zone = in.U32())) {
    return Bad("a zone LED update without its zone");
  }
  auto colours = ColourList(in);
  if (!colours) {
    return Bad("an LED update whose colour count does not fit its packet");
  }
  if (zone) {
    return SdkRequestKind{UpdateZoneLeds{*zone, std::move(*colours)}};
  }
  return SdkRequestKind{UpdateLeds{std::move(*colours)}};
}

Result<SdkRequestKind> ParseMode(SdkPacketId id, SdkByteReader& in, std::size_t size,
                                 std::uint32_t protocol) {
  if (!SizeFieldMatches(in, size)) {
    return Bad("a mode update whose size field disagrees with its packet");
  }
  const auto index = in.U32();
  auto mode = index ? SdkControllerCodec::DecodeMode(in, protocol) : std::nullopt;
  if (!mode || !in.AtEnd()) {
    return Bad("a mode update whose mode does not fit its packet");
  }
  return SdkRequestKind{UpdateMode{*index, std::move(*mode), id == SdkPacketId::kSaveMode}};
}

Result<SdkRequestKind> ParseSmall(SdkPacketId id, SdkByteReader& in,
                                  const std::vector<std::uint8_t>& payload) {
  switch (id) {
    case SdkPacketId::kRequestControllerCount:
      return SdkRequestKind{ControllerCount{}};
    case SdkPacketId::kRequestControllerData:
      if (payload.empty()) {
        return SdkRequestKind{ControllerData{}};
      }
      if (payload.size() == 4) {
        return SdkRequestKind{ControllerData{in.U32()}};
      }
      return Bad("a controller-data request of " + std::to_string(payload.size()) + " bytes");
    case SdkPacketId::kRequestProtocolVersion:
      if (payload.size() != 4) {
        return Bad("a protocol-version request that is not four bytes");
      }
      return SdkRequestKind{ProtocolVersion{*in.U32()}};
    case SdkPacketId::kSetClientName: {
      const auto end = std::find(payload.begin(), payload.end(), std::uint8_t{0});
      return SdkRequestKind{ClientName{std::string(payload.begin(), end)}};
    }
    case SdkPacketId::kUpdateSingleLed: {
      const auto led = in.U32();
      const auto colour = in.U32();
      if (!led || !colour || !in.AtEnd()) {
        return Bad("a single-LED update that is not eight bytes");
      }
      return SdkRequestKind{UpdateSingleLed{*led, RgbColour::FromPacked(*colour)}};
    }
    case SdkPacketId::kSetCustomMode:
      return SdkRequestKind{SetCustomMode{}};
    default:
      return Bad("packet id " + std::to_string(static_cast<std::uint32_t>(id)));
  }
}

}  // namespace

Result<SdkRequest> ParseSdkRequest(const SdkPacket& packet, std::uint32_t protocol) {
  const auto id = static_cast<SdkPacketId>(packet.id);
  SdkByteReader in(packet.payload);
  const std::size_t size = packet.payload.size();
  Result<SdkRequestKind> kind = [&]() -> Result<SdkRequestKind> {
    switch (id) {
      case SdkPacketId::kUpdateLeds:
      case SdkPacketId::kUpdateZoneLeds:
        return ParseLeds(id, in, size);
      case SdkPacketId::kUpdateMode:
      case SdkPacketId::kSaveMode:
        return ParseMode(id, in, size, protocol);
      default:
        return ParseSmall(id, in, packet.payload);
    }
  }();
  if (!kind) {
    return kind.error();
  }
  return SdkRequest{packet.device_index, std::move(*kind)};
}

}  // namespace n240qx
