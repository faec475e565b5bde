#include "keys/KeyActionTable.h"

#include <algorithm>

#include "keys/KeyTable.h"

namespace n240qx {

KeyActionTable::KeyActionTable() : entries_(kEntryCount) {}

void KeyActionTable::Clear() {
  std::fill(entries_.begin(), entries_.end(), KeyActionEntry{});
}

KeyActionEntry* KeyActionTable::At(std::size_t index) {
  return index < entries_.size() ? &entries_[index] : nullptr;
}

const KeyActionEntry* KeyActionTable::At(std::size_t index) const {
  return index < entries_.size() ? &entries_[index] : nullptr;
}

std::vector<std::uint8_t> KeyActionTable::Encode() const {
  std::vector<std::uint8_t> bytes(kSize);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].Encode(std::span<std::uint8_t, KeyActionEntry::kSize>(
        bytes.data() + i * KeyActionEntry::kSize, KeyActionEntry::kSize));
  }
  return bytes;
}

void KeyActionTable::DecodePrefix(std::span<const std::uint8_t> bytes) {
  bytes = bytes.first(std::min(bytes.size(), kSize));
  for (std::size_t i = 0; i * KeyActionEntry::kSize < bytes.size(); ++i) {
    const auto part = bytes.subspan(i * KeyActionEntry::kSize);
    auto encoded = entries_[i].Encode();
    std::copy_n(part.begin(), std::min(part.size(), encoded.size()), encoded.begin());
    entries_[i] = KeyActionEntry::Decode(encoded);
  }
}

void RestoreKeyActionKeys(KeyActionTable& table) {
  for (const auto& row : KeyTable::Rows()) {
    table[row.index].key_vk = row.vk;
  }
}

}  // namespace n240qx
