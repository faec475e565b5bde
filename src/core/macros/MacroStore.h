#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "macros/MacroLayout.h"
#include "macros/MacroStoreEntry.h"

namespace n240qx {

// The 190 macro entries of MacroDefine.bin. The program keeps two of these, the stored copy and
// the macro dialog's working copy, as plain values owned with the rest of the program state.
// Used entries are packed from entry 0; the first unused entry ends the list.
class MacroStore {
 public:
  static constexpr std::size_t kEntryCount = macro_layout::kEntryCount;
  static constexpr std::size_t kByteSize = macro_layout::kStoreSize;

  MacroStore();

  // index must be below kEntryCount (std::out_of_range otherwise).
  MacroStoreEntry& entry(std::size_t index) { return entries_.at(index); }
  const MacroStoreEntry& entry(std::size_t index) const { return entries_.at(index); }

  // Entries in use before the first unused one: the macros the dialog lists.
  std::size_t UsedCount() const;

  // The packed 169,860-byte file image.
  std::vector<std::uint8_t> ToBytes() const;
  // Takes bytes as far as they go: a short input leaves the rest of the store as it was, bytes
  // past kByteSize are ignored. Any content is accepted; readers bound every walk themselves.
  void Fill(std::span<const std::uint8_t> bytes);
  static MacroStore FromBytes(std::span<const std::uint8_t> bytes);

  void Clear();

  // A cleared entry at index; the entries from there on move up by one and the last one is
  // dropped. index must be below kEntryCount.
  void InsertClearedEntryAt(std::size_t index);
  // The entry at index goes; the entries behind it move down by one and the last one is cleared.
  void RemoveEntryAt(std::size_t index);

  friend bool operator==(const MacroStore&, const MacroStore&) = default;

 private:
  // On the heap: two stores of 170 kB each are too much for a thread's stack.
  std::vector<MacroStoreEntry> entries_;
};

}  // namespace n240qx
