#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace n240qx {

// The keys a macro presses and never releases, in the order they went down: the keyboard
// leaves them held after the macro ends, which is seldom what was meant. Read from a
// `key_events` buffer (virtual-key codes).
std::vector<std::uint8_t> KeysHeldAtEnd(std::span<const std::uint8_t> key_events);

}  // namespace n240qx
