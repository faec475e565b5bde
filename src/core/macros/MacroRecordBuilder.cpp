#include "macros/MacroRecordBuilder.h"

#include <algorithm>

namespace n240qx {

void BuildMacroRecords(const MacroStore& store, ConfigImage& image) {
  // A damaged MacroDefine.bin may name more entries than the keyboard has records; the image
  // ends its macro field after record 31, so the rest are never written anywhere.
  const std::size_t count = std::min(store.UsedCount(), image_field::kMacroRecordCount);
  for (std::size_t index = 0; index < count; ++index) {
    const MacroStoreEntry& entry = store.entry(index);
    auto record = image.Field(image_field::MacroRecord(index));
    record[0] = static_cast<std::uint8_t>(entry.repeat_count >> 8);
    record[1] = static_cast<std::uint8_t>(entry.repeat_count & 0xFF);
    std::copy(entry.device_events.begin(), entry.device_events.end(), record.begin() + 2);
  }
}

}  // namespace n240qx
