#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "macros/MacroLayout.h"
#include "util/Result.h"

namespace n240qx {

// One macro as MacroDefine.bin keeps it. The fields are plain values; ToBytes/FromBytes give the
// packed 894-byte little-endian layout, so nothing depends on how the compiler lays out the struct.
struct MacroStoreEntry {
  using Bytes = std::array<std::uint8_t, macro_layout::kEntrySize>;

  // UTF-16 code units, NUL-terminated inside the field; an empty name marks an unused entry.
  std::array<char16_t, macro_layout::kNameUnits> name{};
  // 1 with Loop off, else 1-999; a cleared entry holds 0, shown as 1.
  std::uint16_t repeat_count = 0;
  std::uint8_t flags = 0;
  EventBuffer device_events{};
  EventBuffer key_events{};
  std::uint8_t reserved = 0;

  static MacroStoreEntry FromBytes(std::span<const std::uint8_t, macro_layout::kEntrySize> bytes);
  Bytes ToBytes() const;

  bool InUse() const { return name[0] != 0; }
  // The name up to its terminator; a field without one is cut at the field's end.
  std::u16string Name() const;
  // Longer names are cut to 254 units (never inside a surrogate pair); an empty name would
  // silently end the macro list, so it is refused with kInvalidArgument and nothing changes.
  Status SetName(std::u16string_view text);

  bool has_delay() const { return (flags & macro_layout::kHasDelayFlag) != 0; }
  // Sets the whole flags byte: has_delay, every other bit 0.
  void set_has_delay(bool on);

  void Clear() { *this = MacroStoreEntry{}; }

  // Whether the entry reads as a recorded macro: a repeat count of at most 999, no flag but
  // has_delay, device events that end cleanly. A damaged or foreign MacroDefine.bin fails this
  // almost everywhere.
  bool Decodes() const;

  friend bool operator==(const MacroStoreEntry&, const MacroStoreEntry&) = default;
};

}  // namespace n240qx
