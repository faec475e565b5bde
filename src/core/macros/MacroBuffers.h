#pragma once

#include <algorithm>
#include <cstddef>

#include "macros/MacroEvent.h"
#include "macros/MacroLayout.h"

namespace n240qx {

// The working buffers of the macro being recorded or edited. Both carry the same heads at the
// same offsets; only the key bytes differ (virtual-key codes and the keyboard's codes), and the
// layout of lines is read from `key_events`.
struct MacroBuffers {
  EventBuffer key_events{};
  EventBuffer device_events{};

  void Clear() { *this = MacroBuffers{}; }
  // Bytes in use by either buffer's events: where the next event goes, and the room an
  // insertion has is what lies behind.
  std::size_t UsedBytes() const {
    return std::max(EventsEnd(key_events), EventsEnd(device_events));
  }

  friend bool operator==(const MacroBuffers&, const MacroBuffers&) = default;
};

}  // namespace n240qx
