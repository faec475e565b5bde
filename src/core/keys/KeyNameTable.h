#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "keys/KeyNameEntry.h"
#include "util/Result.h"

namespace n240qx {

// Virtual-key code -> device code and display name, for all 256 codes; every byte is a valid
// index. Built once at start-up and only read afterwards.
class KeyNameTable {
 public:
  // Every entry unnamed: vk = index, device code 0, empty name. BuildKeyNameTable fills it.
  KeyNameTable();

  const KeyNameEntry& Entry(std::uint8_t vk) const { return entries_[vk]; }
  KeyNameEntry& Entry(std::uint8_t vk) { return entries_[vk]; }

  std::uint8_t DeviceCodeOf(std::uint8_t vk) const { return entries_[vk].device_code; }
  const std::u16string& KeyNameOf(std::uint8_t vk) const { return entries_[vk].name; }

  // For typed input (the command-line tool): a display name without its trailing space
  // ("LCtrl", "Del", "A", "F5", "Volume UP"; letters compared without regard to case) or a
  // code "0xNN". Names shared by the main block and the keypad (". ", "/ ", "- ", "Enter ")
  // resolve to the main-block key; the keypad keys are reached by "0xNN".
  Result<std::uint8_t> VirtualKeyOfName(std::string_view name) const;

  friend bool operator==(const KeyNameTable&, const KeyNameTable&) = default;

 private:
  std::string MeantName(std::string_view typed) const;

  std::array<KeyNameEntry, 256> entries_;
};

// Fills every entry by the fixed rules; building twice gives the same table.
void BuildKeyNameTable(KeyNameTable& table);
KeyNameTable BuildKeyNameTable();

}  // namespace n240qx
