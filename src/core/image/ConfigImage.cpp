#include "image/ConfigImage.h"

namespace n240qx {

namespace {
constexpr std::size_t kLockByte = image_field::kWindowsKeySlot / 6;
constexpr std::uint8_t kLockBit = 1U << (image_field::kWindowsKeySlot % 6);
constexpr std::uint8_t kLockedMask = 0x3E;
}  // namespace

void ConfigImage::ApplyWindowsKeyLock() {
  auto& mask_byte = key_enable_mask()[kLockByte];
  if (windows_key_lock() == 1) {
    mask_byte = static_cast<std::uint8_t>(mask_byte & kLockedMask);
  } else {
    mask_byte = static_cast<std::uint8_t>(mask_byte | kLockBit);
  }
}

void ConfigImage::DeriveWindowsKeyLock() {
  windows_key_lock() = (key_enable_mask()[kLockByte] & kLockBit) == 0 ? 1 : 0;
}

}  // namespace n240qx
