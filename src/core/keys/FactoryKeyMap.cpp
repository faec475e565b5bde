#include "keys/FactoryKeyMap.h"

#include "keys/KeyNameTable.h"
#include "keys/KeyTable.h"

namespace n240qx {

namespace {

struct SlotException {
  std::uint8_t slot;
  KeyMapEntry entry;
};

// Where the shipped key map is not the plain default entry of the key in that slot.
constexpr SlotException kExceptions[] = {
    {11, {0x00, 0x00, 0x64, 0x00}},   // key 16: the key name table has no code for 0xE2
    {60, {0x02, 0x00, 0x00, 0x00}},   // key 100, Fn: handled inside the keyboard
    {113, {0x03, 0x00, 0x83, 0x01}},  // key 17, media: consumer control configuration
    {119, {0x03, 0x00, 0xCD, 0x00}},  // key 18, play/pause
    {125, {0x03, 0x00, 0xE9, 0x00}},  // key 19, volume up
    // Slots no key of the table uses, yet the keyboard ships with entries in them.
    {18, {0x00, 0x00, 0x91, 0x00}},
    {48, {0x00, 0x00, 0x90, 0x00}},
    {79, {0x00, 0x00, 0x32, 0x00}},
    {107, {0x03, 0x00, 0xEA, 0x00}},
    {126, {0x00, 0xE0, 0x00, 0x00}},
    {127, {0x00, 0xE1, 0x00, 0x00}},
};

void Put(std::array<std::uint8_t, kFactoryKeyMapSize>& map, std::size_t slot, KeyMapEntry entry) {
  const auto bytes = entry.ToBytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    map[4 * slot + i] = bytes[i];
  }
}

}  // namespace

std::array<std::uint8_t, kFactoryKeyMapSize> FactoryKeyMap() {
  const KeyNameTable names = BuildKeyNameTable();
  std::array<std::uint8_t, kFactoryKeyMapSize> map{};
  for (const auto& row : KeyTable::Rows()) {
    Put(map, row.slot, KeyMapEntry{0x00, 0x00, names.DeviceCodeOf(row.vk), 0x00});
  }
  for (const auto& exception : kExceptions) {
    Put(map, exception.slot, exception.entry);
  }
  return map;
}

KeyMapEntry FactoryKeyMapEntry(std::size_t slot) {
  if (slot >= kFactoryKeyMapSize / 4) {
    return {};
  }
  const auto map = FactoryKeyMap();
  return {map[4 * slot], map[4 * slot + 1], map[4 * slot + 2], map[4 * slot + 3]};
}

}  // namespace n240qx
