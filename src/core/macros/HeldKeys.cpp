#include "macros/HeldKeys.h"

#include <algorithm>

#include "macros/MacroEvent.h"

namespace n240qx {

std::vector<std::uint8_t> KeysHeldAtEnd(std::span<const std::uint8_t> key_events) {
  std::vector<std::uint8_t> held;
  for (const MacroEvent& event : WalkEvents(key_events)) {
    const auto down = std::find(held.begin(), held.end(), event.key);
    if (event.release()) {
      if (down != held.end()) {
        held.erase(down);
      }
    } else if (down == held.end()) {
      held.push_back(event.key);
    }
  }
  return held;
}

}  // namespace n240qx
