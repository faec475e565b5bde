#pragma once

#include <cstddef>
#include <cstdint>

namespace n240qx {

// The packet ids this server understands; every other id is skipped by its size.
enum class SdkPacketId : std::uint32_t {
  kRequestControllerCount = 0,
  kRequestControllerData = 1,
  kRequestProtocolVersion = 40,
  kSetClientName = 50,
  kDeviceListUpdated = 100,
  kUpdateLeds = 1050,
  kUpdateZoneLeds = 1051,
  kUpdateSingleLed = 1052,
  kSetCustomMode = 1100,
  kUpdateMode = 1101,
  kSaveMode = 1102,
};

namespace sdk {

inline constexpr std::size_t kHeaderSize = 16;
inline constexpr char kMagic[4] = {'O', 'R', 'G', 'B'};
// Versions 5 and later add segment editing and per-zone modes the keyboard cannot have.
inline constexpr std::uint32_t kServerProtocolVersion = 4;
// The largest request a client can mean for one keyboard is a few hundred bytes; anything far
// beyond is refused before it is buffered.
inline constexpr std::uint32_t kMaxPacketSize = 64 * 1024;

bool IsKnownPacketId(std::uint32_t id);

}  // namespace sdk
}  // namespace n240qx
