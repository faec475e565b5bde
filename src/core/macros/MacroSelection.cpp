#include "macros/MacroSelection.h"

#include <algorithm>
#include <string>

namespace n240qx {

Status SaveSelectedMacro(MacroStore& working, const std::optional<MacroSelection>& selected,
                         const MacroBuffers& buffers) {
  if (!selected) {
    return Status::Ok();
  }
  if (selected->index >= MacroStore::kEntryCount) {
    return Error{ErrorCode::kInvalidArgument,
                 "No macro entry " + std::to_string(selected->index) + "."};
  }
  MacroStoreEntry& entry = working.entry(selected->index);
  // An empty name is refused by SetName and leaves the old one in place.
  (void)entry.SetName(selected->name);
  entry.repeat_count = selected->loop ? std::clamp<std::uint16_t>(selected->loop_count, 1,
                                                                  macro_layout::kMaxRepeatCount)
                                      : 1;
  entry.set_has_delay(selected->has_delay);
  entry.device_events = buffers.device_events;
  entry.key_events = buffers.key_events;
  return Status::Ok();
}

}  // namespace n240qx
