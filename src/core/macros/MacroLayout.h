#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace n240qx {

namespace macro_layout {

// MacroDefine.bin holds 190 entries of 894 bytes each, no header; files made by the original
// program load byte for byte, so every size here is fixed.
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameBytes = 510;
inline constexpr std::size_t kNameUnits = kNameBytes / 2;  // 255 UTF-16 units
inline constexpr std::size_t kMaxNameUnits = kNameUnits - 1;
inline constexpr std::size_t kRepeatCountOffset = 510;
inline constexpr std::size_t kFlagsOffset = 512;
inline constexpr std::size_t kDeviceEventsOffset = 513;
inline constexpr std::size_t kKeyEventsOffset = 703;
inline constexpr std::size_t kReservedOffset = 893;
inline constexpr std::size_t kEventBufferSize = 190;
inline constexpr std::size_t kEntrySize = 894;
inline constexpr std::size_t kEntryCount = 190;
inline constexpr std::size_t kStoreSize = kEntrySize * kEntryCount;  // 169,860

// The keyboard keeps 32 macros; the store has room for more entries, which stay unused.
inline constexpr std::size_t kMaxMacros = 32;

inline constexpr std::uint8_t kHasDelayFlag = 0x01;
inline constexpr std::uint16_t kMaxRepeatCount = 999;

}  // namespace macro_layout

// One event buffer: `device_events` or `key_events` of an entry, or a working buffer.
using EventBuffer = std::array<std::uint8_t, macro_layout::kEventBufferSize>;

}  // namespace n240qx
