#include "macros/MacroRecordBuilder.h"

#include <algorithm>

#include "macros/MacroRecord.h"

namespace n240qx {

void BuildMacroRecords(const MacroStore& store, ConfigImage& image) {
  // A damaged MacroDefine.bin may name more entries than the keyboard has records; the image
  // ends its macro field after record 31, so the rest are never written anywhere.
  const std::size_t count = std::min(store.UsedCount(), image_field::kMacroRecordCount);
  for (std::size_t index = 0; index < count; ++index) {
    const MacroStoreEntry& entry = store.entry(index);
    // A damaged entry would play garbage keys on the keyboard; its record keeps what it held.
    if (!entry.Decodes()) {
      continue;
    }
    const MacroRecord record{entry.repeat_count, entry.device_events};
    const auto bytes = record.ToBytes();
    std::copy(bytes.begin(), bytes.end(), image.Field(image_field::MacroRecord(index)).begin());
  }
}

}  // namespace n240qx
