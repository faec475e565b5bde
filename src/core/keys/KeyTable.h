#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "keys/KeyTableRow.h"

namespace n240qx {

// The 108 keys the program knows, in key-index order. Constant data: every lookup is a pure
// function of its argument.
class KeyTable {
 public:
  static constexpr std::size_t kKeyCount = 108;
  // Per-key arrays of the main window are this long; entries past kKeyCount belong to no key.
  static constexpr std::size_t kPerKeyArraySize = 126;

  static std::span<const KeyTableRow, kKeyCount> Rows();

  // nullptr when index is not a key (>= 108).
  static const KeyTableRow* ByIndex(std::size_t index);
  // First row with this label; labels are not unique ("Shift", "Ctrl", "1", "/", ...).
  static const KeyTableRow* ByLabel(std::string_view label);
  // First row with this virtual-key code: 0x5D gives the Fn key (index 100), not App (101).
  static const KeyTableRow* ByVirtualKey(std::uint8_t vk);
  // The key that sits in this switch-matrix slot, nullptr for the twenty unused slots.
  static const KeyTableRow* BySlot(std::size_t slot);

  static std::optional<std::uint8_t> SlotOf(std::size_t index);
  static std::optional<std::uint8_t> VirtualKeyOf(std::size_t index);
};

}  // namespace n240qx
