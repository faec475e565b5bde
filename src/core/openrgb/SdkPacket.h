#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "openrgb/SdkPacketId.h"

namespace n240qx {

// One framed packet: the header's device index and id, and the bytes that follow it.
struct SdkPacket {
  std::uint32_t device_index = 0;
  std::uint32_t id = 0;
  std::vector<std::uint8_t> payload;
};

// Header ("ORGB", device index, id, size, little-endian) followed by the payload.
std::vector<std::uint8_t> EncodeSdkPacket(std::uint32_t device_index, SdkPacketId id,
                                          std::span<const std::uint8_t> payload);

}  // namespace n240qx
