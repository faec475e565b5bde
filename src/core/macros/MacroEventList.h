#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/KeyNameTable.h"
#include "macros/MacroEvent.h"

namespace n240qx {

// The display name of a virtual-key code, as the key name table gives it.
using KeyNameLookup = std::function<std::u16string(std::uint8_t vk)>;

// Event list lines: each event shows an optional delay line ("%d ms") and its key line ("%s dn",
// "%s up"). The list and the line-to-offset mapping both follow ShowsDelayLine, so a line index
// taken from a built list always lands on the event the list shows there, whatever the buffer
// holds.

// A delay line is shown unless the delay is 1 ms; the first event, when it is a press, never
// shows one.
bool ShowsDelayLine(const MacroEvent& event, bool first_event);
std::size_t LineCountOf(const MacroEvent& event, bool first_event);

std::u16string DelayLineText(std::uint16_t delay_ms);
std::u16string KeyLineText(std::u16string_view key_name, bool release);
// The list tells delay lines from key lines by their text.
bool IsDelayLine(std::u16string_view line);

// The lines of one event as the list shows it.
std::vector<std::u16string> EventLines(const MacroEvent& event, bool first_event,
                                       const KeyNameLookup& name_of);
// The lines of a whole `key_events` buffer.
std::vector<std::u16string> BuildEventLines(std::span<const std::uint8_t> key_events,
                                            const KeyNameLookup& name_of);
std::vector<std::u16string> BuildEventLines(std::span<const std::uint8_t> key_events,
                                            const KeyNameTable& names);

// Byte offset of the event whose first line is `line`; line = the number of lines gives the
// offset just past the last event (appending). Any other line index yields 0.
std::size_t FindEventOffset(std::span<const std::uint8_t> key_events, std::size_t line);

// As FindEventOffset, but tells an unplaceable line apart from offset 0.
std::optional<std::size_t> LineBoundaryOffset(std::span<const std::uint8_t> key_events,
                                              std::size_t line);

// The event a line belongs to, and whether the line is its delay line.
struct LinePlace {
  MacroEvent event;
  bool delay_line = false;
};
std::optional<LinePlace> LocateLine(std::span<const std::uint8_t> key_events, std::size_t line);

}  // namespace n240qx
