#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace n240qx {

// One key's entry of the keyboard's key map: 4 bytes at 4 x key slot within `key_map`.
// type 0x00: up to three device codes sent together (p1, p2, p3); a plain key is 00 00 code 00.
// type 0x03: consumer usage, p2 low byte and p3 high byte.
// type 0x04: macro, p1 = 1, p2 = macro slot.
// type 0x0A: the keyboard reports the press to the host with the key's own code in p2.
struct KeyMapEntry {
  static constexpr std::uint8_t kKeys = 0x00;
  static constexpr std::uint8_t kConsumer = 0x03;
  static constexpr std::uint8_t kMacro = 0x04;
  static constexpr std::uint8_t kHostLaunch = 0x0A;

  std::uint8_t type = 0;
  std::uint8_t p1 = 0;
  std::uint8_t p2 = 0;
  std::uint8_t p3 = 0;

  constexpr std::array<std::uint8_t, 4> ToBytes() const { return {type, p1, p2, p3}; }
  static constexpr KeyMapEntry FromBytes(std::span<const std::uint8_t, 4> bytes) {
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
  }
  friend constexpr bool operator==(const KeyMapEntry&, const KeyMapEntry&) = default;
};

}  // namespace n240qx
