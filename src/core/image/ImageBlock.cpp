#include "image/ImageBlock.h"

#include <algorithm>

namespace n240qx {

namespace {
constexpr std::size_t kSlotsPerMaskByte = 6;
}

bool ImageBlock::FieldEquals(const ImageBlock& other, ImageField field) const {
  const auto mine = Field(field);
  const auto theirs = other.Field(field);
  return std::equal(mine.begin(), mine.end(), theirs.begin());
}

bool ImageBlock::KeyEnabled(std::size_t key_slot) const {
  const std::size_t byte = key_slot / kSlotsPerMaskByte;
  if (byte >= image_field::kKeyEnableMask.size) {
    return false;
  }
  return (key_enable_mask()[byte] >> (key_slot % kSlotsPerMaskByte) & 1U) != 0;
}

void ImageBlock::SetKeyEnabled(std::size_t key_slot, bool enabled) {
  const std::size_t byte = key_slot / kSlotsPerMaskByte;
  if (byte >= image_field::kKeyEnableMask.size) {
    return;
  }
  const auto bit = static_cast<std::uint8_t>(1U << (key_slot % kSlotsPerMaskByte));
  auto& mask_byte = key_enable_mask()[byte];
  mask_byte = enabled ? static_cast<std::uint8_t>(mask_byte | bit)
                      : static_cast<std::uint8_t>(mask_byte & ~bit);
}

}  // namespace n240qx
