#pragma once

#include <cstdint>

namespace n240qx {

// X keycodes (the Linux input event code + 8) to Windows virtual-key codes. The mapping is by
// key position on a US layout, as the keyboard's own codes are: the key right of Tab is 'Q'
// whatever the active layout prints on it.
class XKeycodeTable {
 public:
  // 0 for a keycode no key of the keyboard sends.
  static std::uint8_t VirtualKeyOf(unsigned x_keycode);
};

}  // namespace n240qx
