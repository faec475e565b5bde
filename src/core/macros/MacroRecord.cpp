#include "macros/MacroRecord.h"

#include <algorithm>

namespace n240qx {

MacroRecord MacroRecord::FromBytes(
    std::span<const std::uint8_t, image_field::kMacroRecordSize> bytes) {
  MacroRecord record;
  record.repeat_count = static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
  std::copy(bytes.begin() + 2, bytes.end(), record.device_events.begin());
  return record;
}

MacroRecord::Bytes MacroRecord::ToBytes() const {
  Bytes bytes{};
  bytes[0] = static_cast<std::uint8_t>(repeat_count >> 8);
  bytes[1] = static_cast<std::uint8_t>(repeat_count & 0xFF);
  std::copy(device_events.begin(), device_events.end(), bytes.begin() + 2);
  return bytes;
}

}  // namespace n240qx
