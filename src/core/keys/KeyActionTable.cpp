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
  const std::size_t whole = bytes.size() / KeyActionEntry::kSize;
  for (std::size_t i = 0; i < whole; ++i) {
    entries_[i] = KeyActionEntry::Decode(
        bytes.subspan(i * KeyActionEntry::kSize).first<KeyActionEntry::kSize>());
  }
  const auto rest = bytes.subspan(whole * KeyActionEntry::kSize);
  if (!rest.empty()) {
    // The bytes end inside this entry: its remaining bytes keep what they held.
    auto encoded = entries_[whole].Encode();
    std::copy(rest.begin(), rest.end(), encoded.begin());
    entries_[whole] = KeyActionEntry::Decode(encoded);
  }
}

void RestoreKeyActionKeys(KeyActionTable& table) {
  for (const auto& row : KeyTable::Rows()) {
    table[row.index].key_vk = row.vk;
  }
}

}  // namespace n240qx
