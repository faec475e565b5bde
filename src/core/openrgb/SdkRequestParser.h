#pragma once

#include <cstdint>

#include "openrgb/SdkPacket.h"
#include "openrgb/SdkRequest.h"
#include "util/Result.h"

namespace n240qx {

// Turns one known packet into its request, reading mode blocks as `protocol` lays them out.
// A kBadData error (a size field that disagrees with the packet, a string or a colour count
// running past it) means the connection is to be closed.
Result<SdkRequest> ParseSdkRequest(const SdkPacket& packet, std::uint32_t protocol);

}  // namespace n240qx
