#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace n240qx {

// Reads little-endian fields from one packet and never past it: every read that would run
// over the end returns nothing and leaves the reader failed.
class SdkByteReader {
 public:
  explicit SdkByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::optional<std::uint16_t> U16();
  std::optional<std::uint32_t> U32();
  // A u16 length (counting the NUL) and that many bytes; the text ends at the first NUL.
  std::optional<std::string> String();

  std::size_t remaining() const { return bytes_.size() - at_; }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::optional<std::span<const std::uint8_t>> Take(std::size_t count);

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

}  // namespace n240qx
