#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace n240qx {

// What goes back on one connection after its bytes were read.
struct SdkReply {
  std::vector<std::uint8_t> bytes;
  // The stream was refused: the connection is to be closed, with `reason` for the log.
  bool close = false;
  std::string reason;
};

}  // namespace n240qx
