#include "openrgb/SdkByteWriter.h"

namespace n240qx {

void SdkByteWriter::U16(std::uint16_t value) {
  U8(static_cast<std::uint8_t>(value & 0xFF));
  U8(static_cast<std::uint8_t>(value >> 8));
}

void SdkByteWriter::U32(std::uint32_t value) {
  bytes_.push_back(0);
  bytes_.push_back(0);
  bytes_.push_back(0);
  bytes_.push_back(0);
  PatchU32(bytes_.size() - 4, value);
}

void SdkByteWriter::String(std::string_view text) {
  U16(static_cast<std::uint16_t>(text.size() + 1));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  U8(0);
}

void SdkByteWriter::Bytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void SdkByteWriter::PatchU32(std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * i) & 0xFF);
  }
}

}  // namespace n240qx
