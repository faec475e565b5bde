#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "keys/KeyActionEntry.h"

namespace n240qx {

// The host's record of every key's assignment: entry i belongs to key index i; entries 108-254
// are never assigned. The program keeps a second instance as the snapshot of what was applied.
class KeyActionTable {
 public:
  static constexpr std::size_t kEntryCount = 255;
  static constexpr std::size_t kSize = kEntryCount * KeyActionEntry::kSize;  // 196,860

  KeyActionTable();

  KeyActionEntry& operator[](std::size_t index) { return entries_[index]; }
  const KeyActionEntry& operator[](std::size_t index) const { return entries_[index]; }
  // nullptr past the last entry.
  KeyActionEntry* At(std::size_t index);
  const KeyActionEntry* At(std::size_t index) const;

  std::span<KeyActionEntry, kEntryCount> Entries() {
    return std::span<KeyActionEntry, kEntryCount>(entries_.data(), kEntryCount);
  }
  std::span<const KeyActionEntry, kEntryCount> Entries() const {
    return std::span<const KeyActionEntry, kEntryCount>(entries_.data(), kEntryCount);
  }

  void Clear();

  std::vector<std::uint8_t> Encode() const;
  // Overwrites the table's leading bytes with `bytes` (at most kSize are used); an entry that
  // the bytes end inside keeps its remaining bytes, as a short file leaves them.
  void DecodePrefix(std::span<const std::uint8_t> bytes);

  friend bool operator==(const KeyActionTable&, const KeyActionTable&) = default;

 private:
  // On the heap: the table and its snapshot are 197 kB each, too much for a thread's stack.
  std::vector<KeyActionEntry> entries_;
};

// Every key's entry gets the key's own virtual-key code back, whatever a file said.
void RestoreKeyActionKeys(KeyActionTable& table);

}  // namespace n240qx
