#pragma once

#include "macros/MacroLayout.h"

namespace n240qx {

// The working buffers of the macro being recorded or edited. Both carry the same heads at the
// same offsets; only the key bytes differ (virtual-key codes and the keyboard's codes), and the
// layout of lines is read from `key_events`.
struct MacroBuffers {
  EventBuffer key_events{};
  EventBuffer device_events{};

  void Clear() { *this = MacroBuffers{}; }

  friend bool operator==(const MacroBuffers&, const MacroBuffers&) = default;
};

}  // namespace n240qx
