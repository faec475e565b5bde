#pragma once

#include <cstddef>

namespace n240qx {

// One named region of the configuration image: every offset in the program comes from here.
struct ImageField {
  std::size_t offset;
  std::size_t size;
  constexpr std::size_t end() const { return offset + size; }
};

namespace image_field {

inline constexpr std::size_t kImageSize = 10060;

inline constexpr ImageField kReportRate{11, 1};
inline constexpr ImageField kKeyMap{792, 512};
inline constexpr ImageField kMacros{1304, 6144};
inline constexpr ImageField kResponseTime{7449, 1};
inline constexpr ImageField kLightEffect{7450, 1};
inline constexpr ImageField kEffectSpeed{7451, 1};
inline constexpr ImageField kBrightness{7452, 1};
inline constexpr ImageField kColourChoice{7453, 1};
inline constexpr ImageField kLightDirection{7454, 1};
inline constexpr ImageField kColourSlots{7455, 21};
inline constexpr ImageField kGameMode{7476, 1};
inline constexpr ImageField kKeyEnableMask{7477, 21};
inline constexpr ImageField kWindowsKeyLock{7498, 1};
inline constexpr ImageField kKeyColourTables{7499, 2560};

// The five lighting bytes, light_effect to light_direction, move as one frame.
inline constexpr ImageField kLighting{7450, 5};

inline constexpr std::size_t kKeySlotCount = 128;
inline constexpr std::size_t kKeyMapEntrySize = 4;
inline constexpr std::size_t kMacroRecordCount = 32;
inline constexpr std::size_t kMacroRecordSize = 192;
inline constexpr std::size_t kColourSlotCount = 7;
inline constexpr std::size_t kColourTableCount = 5;
inline constexpr std::size_t kColourTableSize = 512;
// Slot 6 is the Windows key; its bit lives in mask byte 1.
inline constexpr std::size_t kWindowsKeySlot = 6;

constexpr ImageField MacroRecord(std::size_t index) {
  return {kMacros.offset + kMacroRecordSize * index, kMacroRecordSize};
}
constexpr ImageField ColourTable(std::size_t table) {
  return {kKeyColourTables.offset + kColourTableSize * table, kColourTableSize};
}
constexpr ImageField ColourSlot(std::size_t slot) {
  return {kColourSlots.offset + 3 * slot, 3};
}
constexpr ImageField KeyMapEntry(std::size_t key_slot) {
  return {kKeyMap.offset + kKeyMapEntrySize * key_slot, kKeyMapEntrySize};
}

}  // namespace image_field
}  // namespace n240qx
