#pragma once

#include <cstdint>
#include <vector>

#include "openrgb/SdkByteReader.h"
#include "openrgb/SdkByteWriter.h"
#include "openrgb/SdkController.h"

namespace n240qx {

// The controller-data answer and the mode block, laid out for one protocol version (0 to 4).
class SdkControllerCodec {
 public:
  // The whole answer's payload, starting with its own size (which counts itself).
  static std::vector<std::uint8_t> EncodeControllerData(const SdkController& controller,
                                                        std::uint32_t protocol);
  static void EncodeMode(const SdkMode& mode, std::uint32_t protocol, SdkByteWriter& out);
  // nullopt when the block runs past the packet or claims more colours than it holds.
  static std::optional<SdkMode> DecodeMode(SdkByteReader& in, std::uint32_t protocol);

 private:
  static void EncodeZone(const SdkZone& zone, std::uint32_t protocol, SdkByteWriter& out);
};

}  // namespace n240qx
