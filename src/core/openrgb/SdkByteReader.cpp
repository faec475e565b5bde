#include "openrgb/SdkByteReader.h"

#include <algorithm>

namespace n240qx {

std::optional<std::span<const std::uint8_t>> SdkByteReader::Take(std::size_t count) {
  if (count > remaining()) {
    at_ = bytes_.size();
    return std::nullopt;
  }
  const auto taken = bytes_.subspan(at_, count);
  at_ += count;
  return taken;
}

std::optional<std::uint16_t> SdkByteReader::U16() {
  const auto bytes = Take(2);
  if (!bytes) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>((*bytes)[0] | (*bytes)[1] << 8);
}

std::optional<std::uint32_t> SdkByteReader::U32() {
  const auto bytes = Take(4);
  if (!bytes) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>((*bytes)[i]) << (8 * i);
  }
  return value;
}

std::optional<std::string> SdkByteReader::String() {
  const auto length = U16();
  if (!length) {
    return std::nullopt;
  }
  const auto bytes = Take(*length);
  if (!bytes) {
    return std::nullopt;
  }
  const auto end = std::find(bytes->begin(), bytes->end(), std::uint8_t{0});
  return std::string(bytes->begin(), end);
}

}  // namespace n240qx
