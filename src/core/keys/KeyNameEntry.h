#pragma once

#include <cstdint>
#include <string>

namespace n240qx {

// What the host calls a virtual-key code and what the keyboard calls the same key.
struct KeyNameEntry {
  // Names are at most this many UTF-16 units including the terminator of the stored form.
  static constexpr std::size_t kNameCapacity = 100;

  std::uint8_t vk = 0;           // always the entry's index
  std::uint8_t device_code = 0;  // 0 = the keyboard has no code for it
  std::u16string name;           // shown as is, trailing space included; empty = none

  friend bool operator==(const KeyNameEntry&, const KeyNameEntry&) = default;
};

}  // namespace n240qx
