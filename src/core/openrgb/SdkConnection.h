#pragma once

#include <cstdint>
#include <string>

#include "openrgb/SdkStreamDecoder.h"

namespace n240qx {

// One client's state: its stream, the protocol both sides use (0 until it asks) and its name.
struct SdkConnection {
  SdkStreamDecoder decoder;
  std::uint32_t protocol = 0;
  std::string client_name;
};

}  // namespace n240qx
