#include "openrgb/SdkPacket.h"

#include "openrgb/SdkByteWriter.h"

namespace n240qx {

namespace sdk {

bool IsKnownPacketId(std::uint32_t id) {
  switch (static_cast<SdkPacketId>(id)) {
    case SdkPacketId::kRequestControllerCount:
    case SdkPacketId::kRequestControllerData:
    case SdkPacketId::kRequestProtocolVersion:
    case SdkPacketId::kSetClientName:
    case SdkPacketId::kUpdateLeds:
    case SdkPacketId::kUpdateZoneLeds:
    case SdkPacketId::kUpdateSingleLed:
    case SdkPacketId::kSetCustomMode:
    case SdkPacketId::kUpdateMode:
    case SdkPacketId::kSaveMode:
      return true;
    case SdkPacketId::kDeviceListUpdated:
      // Only the server sends it; from a client it means nothing.
      return false;
  }
  return false;
}

}  // namespace sdk

std::vector<std::uint8_t> EncodeSdkPacket(std::uint32_t device_index, SdkPacketId id,
                                          std::span<const std::uint8_t> payload) {
  SdkByteWriter out;
  for (const char c : sdk::kMagic) {
    out.U8(static_cast<std::uint8_t>(c));
  }
  out.U32(device_index);
  out.U32(static_cast<std::uint32_t>(id));
  out.U32(static_cast<std::uint32_t>(payload.size()));
  out.Bytes(payload);
  return std::move(out).Take();
}

}  // namespace n240qx
