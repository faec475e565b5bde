#include "keys/KeyActionEntry.h"

#include <algorithm>

namespace n240qx {

void KeyActionEntry::Encode(std::span<std::uint8_t, kSize> out) const {
  out[kKeyVkOffset] = key_vk;
  out[kKindOffset] = kind;
  std::copy(data.begin(), data.end(), out.begin() + kDataOffset);
  out[kCountOffset] = count;
  std::copy(reserved.begin(), reserved.end(), out.begin() + kReservedOffset);
  for (std::size_t i = 0; i < kPathUnits; ++i) {
    out[kPathOffset + 2 * i] = static_cast<std::uint8_t>(path[i] & 0xFF);
    out[kPathOffset + 2 * i + 1] = static_cast<std::uint8_t>(path[i] >> 8);
  }
}

std::array<std::uint8_t, KeyActionEntry::kSize> KeyActionEntry::Encode() const {
  std::array<std::uint8_t, kSize> out{};
  Encode(out);
  return out;
}

KeyActionEntry KeyActionEntry::Decode(std::span<const std::uint8_t, kSize> bytes) {
  KeyActionEntry entry;
  entry.key_vk = bytes[kKeyVkOffset];
  entry.kind = bytes[kKindOffset];
  std::copy_n(bytes.begin() + kDataOffset, kDataSize, entry.data.begin());
  entry.count = bytes[kCountOffset];
  std::copy_n(bytes.begin() + kReservedOffset, entry.reserved.size(), entry.reserved.begin());
  for (std::size_t i = 0; i < kPathUnits; ++i) {
    entry.path[i] =
        static_cast<char16_t>(bytes[kPathOffset + 2 * i] | bytes[kPathOffset + 2 * i + 1] << 8);
  }
  return entry;
}

std::u16string KeyActionEntry::PathString() const {
  const auto end = std::find(path.begin(), path.end(), u'\0');
  return {path.begin(), end};
}

void KeyActionEntry::SetPath(std::u16string_view text) {
  const std::size_t units = std::min(text.size(), kPathUnits - 1);
  std::copy_n(text.begin(), units, path.begin());
  path[units] = u'\0';
}

}  // namespace n240qx
