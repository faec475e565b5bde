#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace n240qx {

// Little-endian fields as the SDK lays them out.
class SdkByteWriter {
 public:
  void U8(std::uint8_t value) { bytes_.push_back(value); }
  void U16(std::uint16_t value);
  void U32(std::uint32_t value);
  // Length (u16, counting the terminating NUL), the text, the NUL.
  void String(std::string_view text);
  void Bytes(std::span<const std::uint8_t> bytes);
  // Overwrites four bytes already written, for sizes known only at the end.
  void PatchU32(std::size_t at, std::uint32_t value);

  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> Take() && { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace n240qx
