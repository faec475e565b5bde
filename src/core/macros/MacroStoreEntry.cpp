#include "macros/MacroStoreEntry.h"

#include <algorithm>

#include "macros/MacroEvent.h"

namespace n240qx {

namespace {

using namespace macro_layout;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

MacroStoreEntry MacroStoreEntry::FromBytes(std::span<const std::uint8_t, kEntrySize> bytes) {
  MacroStoreEntry entry;
  for (std::size_t unit = 0; unit < kNameUnits; ++unit) {
    const std::size_t at = kNameOffset + 2 * unit;
    entry.name[unit] = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
  }
  entry.repeat_count =
      static_cast<std::uint16_t>(bytes[kRepeatCountOffset] | (bytes[kRepeatCountOffset + 1] << 8));
  entry.flags = bytes[kFlagsOffset];
  std::copy_n(bytes.begin() + kDeviceEventsOffset, kEventBufferSize, entry.device_events.begin());
  std::copy_n(bytes.begin() + kKeyEventsOffset, kEventBufferSize, entry.key_events.begin());
  entry.reserved = bytes[kReservedOffset];
  return entry;
}

MacroStoreEntry::Bytes MacroStoreEntry::ToBytes() const {
  Bytes bytes{};
  for (std::size_t unit = 0; unit < kNameUnits; ++unit) {
    const std::size_t at = kNameOffset + 2 * unit;
    bytes[at] = static_cast<std::uint8_t>(name[unit] & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(name[unit] >> 8);
  }
  bytes[kRepeatCountOffset] = static_cast<std::uint8_t>(repeat_count & 0xFF);
  bytes[kRepeatCountOffset + 1] = static_cast<std::uint8_t>(repeat_count >> 8);
  bytes[kFlagsOffset] = flags;
  std::copy(device_events.begin(), device_events.end(), bytes.begin() + kDeviceEventsOffset);
  std::copy(key_events.begin(), key_events.end(), bytes.begin() + kKeyEventsOffset);
  bytes[kReservedOffset] = reserved;
  return bytes;
}

std::u16string MacroStoreEntry::Name() const {
  const auto end = std::find(name.begin(), name.end(), u'\0');
  return std::u16string(name.begin(), end);
}

Status MacroStoreEntry::SetName(std::u16string_view text) {
  text = text.substr(0, std::min(text.find(u'\0'), text.size()));
  if (text.empty()) {
    return Error{ErrorCode::kInvalidArgument, "A macro needs a name."};
  }
  std::size_t length = std::min(text.size(), kMaxNameUnits);
  if (length < text.size() && IsHighSurrogate(text[length - 1])) {
    --length;
  }
  name.fill(u'\0');
  std::copy_n(text.begin(), length, name.begin());
  return Status::Ok();
}

void MacroStoreEntry::set_has_delay(bool on) {
  // Bit 0 is the only flag there is; whatever a damaged file left in the others goes.
  flags = on ? kHasDelayFlag : std::uint8_t{0};
}

bool MacroStoreEntry::Decodes() const {
  return repeat_count <= macro_layout::kMaxRepeatCount &&
         (flags & ~macro_layout::kHasDelayFlag) == 0 && EventsEndCleanly(device_events);
}

}  // namespace n240qx
