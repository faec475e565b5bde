#include "macros/MacroStore.h"

#include <algorithm>

namespace n240qx {

using macro_layout::kEntrySize;

MacroStore::MacroStore() : entries_(kEntryCount) {}

std::size_t MacroStore::UsedCount() const {
  const auto first_unused = std::find_if(entries_.begin(), entries_.end(),
                                         [](const MacroStoreEntry& e) { return !e.InUse(); });
  return static_cast<std::size_t>(first_unused - entries_.begin());
}

std::vector<std::uint8_t> MacroStore::ToBytes() const {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kByteSize);
  for (const MacroStoreEntry& entry : entries_) {
    const auto packed = entry.ToBytes();
    bytes.insert(bytes.end(), packed.begin(), packed.end());
  }
  return bytes;
}

void MacroStore::Fill(std::span<const std::uint8_t> bytes) {
  bytes = bytes.first(std::min(bytes.size(), kByteSize));
  const std::size_t whole = bytes.size() / kEntrySize;
  for (std::size_t index = 0; index < whole; ++index) {
    entries_[index] =
        MacroStoreEntry::FromBytes(bytes.subspan(index * kEntrySize).first<kEntrySize>());
  }
  const auto tail = bytes.subspan(whole * kEntrySize);
  if (!tail.empty()) {
    // A cut entry keeps the rest it had: overlay the bytes that are there on its packed form.
    auto packed = entries_[whole].ToBytes();
    std::copy(tail.begin(), tail.end(), packed.begin());
    entries_[whole] = MacroStoreEntry::FromBytes(packed);
  }
}

MacroStore MacroStore::FromBytes(std::span<const std::uint8_t> bytes) {
  MacroStore store;
  store.Fill(bytes);
  return store;
}

void MacroStore::Clear() {
  std::fill(entries_.begin(), entries_.end(), MacroStoreEntry{});
}

void MacroStore::InsertClearedEntryAt(std::size_t index) {
  (void)entries_.at(index);  // the range check
  std::shift_right(entries_.begin() + static_cast<std::ptrdiff_t>(index), entries_.end(), 1);
  entries_[index].Clear();
}

void MacroStore::RemoveEntryAt(std::size_t index) {
  (void)entries_.at(index);
  std::shift_left(entries_.begin() + static_cast<std::ptrdiff_t>(index), entries_.end(), 1);
  entries_.back().Clear();
}

}  // namespace n240qx
