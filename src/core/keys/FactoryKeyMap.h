#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "keys/KeyMapEntry.h"

namespace n240qx {

inline constexpr std::size_t kFactoryKeyMapSize = 512;

// The key map as the keyboard ships: 128 entries of 4 bytes in key-slot order, the same layout
// as `key_map`. Every key's plain default entry, except the keys whose factory function is not
// their own code (the media keys, Fn, the key of index 16) and a few slots no key uses.
std::array<std::uint8_t, kFactoryKeyMapSize> FactoryKeyMap();

// Entry of one slot; 00 00 00 00 for a slot past 127.
KeyMapEntry FactoryKeyMapEntry(std::size_t slot);

}  // namespace n240qx
