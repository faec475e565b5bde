// Arbitrary bytes as MacroDefine.bin: every name read, event walk, event list and line lookup
// must stay inside its field, and the macro records inside the image's macro field.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/ConfigImage.h"
#include "macros/MacroEventList.h"
#include "macros/MacroRecord.h"
#include "macros/MacroRecordBuilder.h"
#include "macros/MacroStore.h"

namespace {

using namespace n240qx;

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

std::u16string NameOf(std::uint8_t vk) {
  return std::u16string(1, static_cast<char16_t>(vk));
}

// The event list of one buffer and FindEventOffset for each of its lines: a line that begins an
// event maps to that event, the line after the last to the end, every other line to 0.
void CheckEventList(std::span<const std::uint8_t> events) {
  const auto lines = BuildEventLines(events, NameOf);
  std::vector<std::size_t> event_at_line(lines.size() + 1, SIZE_MAX);
  std::size_t line = 0;
  bool first = true;
  for (const MacroEvent& event : WalkEvents(events)) {
    Check(event.end() <= events.size());
    Check(line < lines.size());
    event_at_line[line] = event.offset;
    line += LineCountOf(event, first);
    first = false;
  }
  Check(line == lines.size());
  event_at_line[line] = EventsEnd(events);
  for (std::size_t index = 0; index <= lines.size(); ++index) {
    const std::size_t offset = FindEventOffset(events, index);
    Check(offset == (event_at_line[index] == SIZE_MAX ? 0 : event_at_line[index]));
  }
}

// Lines are checked for the first `deep` listed macros: every line's lookup walks the buffer, and
// doing that for all 32 of a tiled store makes the target too slow to explore anything.
void CheckStore(const MacroStore& store, std::size_t deep) {
  // The dialog lists the macros up to the first unused entry; the keyboard takes 32 of them.
  const std::size_t listed = std::min(store.UsedCount(), macro_layout::kMaxMacros);
  for (std::size_t index = 0; index < MacroStore::kEntryCount; ++index) {
    const MacroStoreEntry& entry = store.entry(index);
    Check(entry.Name().size() <= macro_layout::kNameUnits);
    Check(EventsEnd(entry.key_events) <= macro_layout::kEventBufferSize);
    Check(EventsEnd(entry.device_events) <= macro_layout::kEventBufferSize);
    if (index < std::min(listed, deep)) {
      CheckEventList(entry.key_events);
    }
  }
  ConfigImage image;
  BuildMacroRecords(store, image);
  const auto& bytes = image.bytes();
  Check(std::all_of(bytes.begin(), bytes.begin() + image_field::kMacros.offset,
                    [](std::uint8_t byte) { return byte == 0; }));
  Check(std::all_of(bytes.begin() + image_field::kMacros.end(), bytes.end(),
                    [](std::uint8_t byte) { return byte == 0; }));
  for (std::size_t record = 0; record < listed; ++record) {
    // A macro whose events do not decode never becomes a record.
    if (!store.entry(record).Decodes()) {
      continue;
    }
    const auto field = image.Field(image_field::MacroRecord(record));
    const auto decoded =
        MacroRecord::FromBytes(std::span<const std::uint8_t, 192>(field.data(), 192));
    Check(decoded.repeat_count == store.entry(record).repeat_count);
    Check(EventsEnd(decoded.device_events) == EventsEnd(store.entry(record).device_events));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  // As a file of its own length (usually a short one)...
  const MacroStore store = MacroStore::FromBytes(input);
  CheckStore(store, macro_layout::kMaxMacros);
  Check(MacroStore::FromBytes(store.ToBytes()) == store);
  // ...as the event buffers of a named entry, since short inputs never reach those of the file...
  {
    std::vector<std::uint8_t> file(macro_layout::kEntrySize);
    file[0] = 'x';
    for (std::size_t at = 0; at < size && at < macro_layout::kEventBufferSize; ++at) {
      file[macro_layout::kKeyEventsOffset + at] = data[at];
      file[macro_layout::kDeviceEventsOffset + at] = data[size - 1 - at];
    }
    CheckStore(MacroStore::FromBytes(file), 1);
  }
  // ...and, when its first byte is odd, repeated to the full 169,860 bytes, so that every entry
  // and more than 32 names occur (at a tenth of the speed, hence not for every input).
  if (size > 0 && (data[0] & 1) != 0) {
    std::vector<std::uint8_t> file(MacroStore::kByteSize);
    for (std::size_t at = 0; at < file.size(); ++at) {
      file[at] = data[at % size];
    }
    CheckStore(MacroStore::FromBytes(file), 3);
  }
  return 0;
}
