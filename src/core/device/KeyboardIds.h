#pragma once

#include <cstdint>

namespace n240qx {

// The keyboard's USB ids, the one copy the program and its platform layer go by.
inline constexpr std::uint16_t kKeyboardVendorId = 0x04D9;
inline constexpr std::uint16_t kKeyboardProductId = 0xA124;
// The keyboard presents itself under this product id while its firmware is being updated.
inline constexpr std::uint16_t kUpdateModeProductId = 0xA126;

}  // namespace n240qx
