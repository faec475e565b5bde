#pragma once

#include <cstddef>
#include <cstdint>

#include "keys/KeyNameTable.h"
#include "macros/MacroBuffers.h"
#include "macros/MacroEvent.h"
#include "util/Result.h"

namespace n240qx {

// The byte operations of recording and editing. Each works on both working buffers at once and
// either succeeds or returns an error and leaves the buffers exactly as they were: an operation
// that would push event bytes past byte 189 is refused (kInvalidArgument), never cut.
// Bytes cut out of a buffer close up behind, and the freed end becomes 0.

// Whether a refusal was for want of room (the macro is full), which the user can mend by
// deleting something, unlike a refusal of the edit itself.
bool RefusedForRoom(const Status& status);

// One head and key byte pair to insert.
struct EventHeadAndKey {
  std::uint8_t head = 0;
  std::uint8_t key = 0;
};

// Inserts a 2-byte event at the offset where `line` begins (FindEventOffset), in both buffers.
// The heads must be equal, not in the escape form, and both keys non-zero (a key byte of 0 would
// end the macro there). A line that begins no event and is not the append line is refused.
Status InsertEventAt(MacroBuffers& buffers, std::size_t line, EventHeadAndKey key_pair,
                     EventHeadAndKey device_pair);

// A captured key or an inserted mouse button (0xF0-0xF2, the same code in both buffers) at
// `line`, without delay: head 0x01 for a press, 0x81 for a release.
Status InsertKeyEventAt(MacroBuffers& buffers, std::size_t line, const KeyNameTable& names,
                        std::uint8_t vk, bool release);

// Offset-based operations; offset must be where an event of `key_events` begins, with the same
// head in `device_events`.
Status RemoveEventAt(MacroBuffers& buffers, std::size_t offset);
// The event's head becomes release bit + 1 and an escaped event loses its two delay bytes.
Status RemoveDelayAt(MacroBuffers& buffers, std::size_t offset);
// delay_ms 1-60,000: below 127 in the head, from 127 on in the escape form; an event that
// changes form grows or shrinks by two bytes and the bytes behind it move with it.
Status SetDelayAt(MacroBuffers& buffers, std::size_t offset, std::uint16_t delay_ms);

// The first event of a macro always runs without delay; rewrites it as such when it has one.
// An empty buffer stays all zero.
void KeepFirstEventAtDelayOne(MacroBuffers& buffers);

// Line-based editing, as the event list's commands use it; each ends by keeping the first
// event at delay 1.
// A delay line loses its delay; a key line takes its whole event (and its delay line) with it.
Status DeleteLine(MacroBuffers& buffers, std::size_t line);
// The in-place delay edit: the event beginning at `line` gets delay_ms (2-60,000).
Status EditDelayLine(MacroBuffers& buffers, std::size_t line, std::uint16_t delay_ms);
// Insert Delay on the key line `line`: the event after it gets 50 ms, replacing any delay it had.
// Refused on a delay line (that one is edited in place) and on the last line.
Status InsertDelayAfterLine(MacroBuffers& buffers, std::size_t line);
inline constexpr std::uint16_t kInsertedDelayMs = 50;

}  // namespace n240qx
