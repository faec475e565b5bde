#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "image/ImageField.h"
#include "macros/MacroLayout.h"

namespace n240qx {

// One 192-byte macro record of the image's `macros` field, as the keyboard receives it: the
// repeat count big-endian, then the device events.
struct MacroRecord {
  using Bytes = std::array<std::uint8_t, image_field::kMacroRecordSize>;

  std::uint16_t repeat_count = 0;
  EventBuffer device_events{};

  static MacroRecord FromBytes(std::span<const std::uint8_t, image_field::kMacroRecordSize> bytes);
  Bytes ToBytes() const;

  friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

static_assert(image_field::kMacroRecordSize == 2 + macro_layout::kEventBufferSize);

}  // namespace n240qx
