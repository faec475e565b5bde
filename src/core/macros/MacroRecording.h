#pragma once

#include <cstdint>

#include "keys/KeyNameTable.h"
#include "macros/MacroBuffers.h"
#include "macros/MacroEvent.h"
#include "util/Result.h"

namespace n240qx {

// One key event captured while recording.
struct RecordedEvent {
  std::uint8_t vk = 0;           // the virtual-key code the hook reported
  std::uint8_t device_code = 0;  // the key name table's code for vk
  bool release = false;
  std::uint16_t delay_ms = 0;  // time since the previous event, from RecordedDelayMs
};

// A hook message's key with the device code the key name table holds for it.
RecordedEvent RecordedEventOf(const KeyNameTable& names, std::uint8_t vk, bool release,
                              std::uint16_t delay_ms);

// The delay of a recorded event from the time since the previous one: whole milliseconds,
// at most 60,000. Two events within the same millisecond get 1 ms, because a 0 ms delay would
// show a "0 ms" line that the line model cannot place.
std::uint16_t RecordedDelayMs(std::uint64_t elapsed_us);

// Appends a recorded event behind the last event of the working buffers and returns it as
// written. The first event of a macro, and every event when has_delay is off, carries delay 1.
// Refused (kInvalidArgument, buffers unchanged) when the key has no code, and when the macro is
// full: a press needs to start before byte 184, so that its release still fits, a release before
// byte 188, and no event may reach past byte 189.
Result<MacroEvent> AppendRecordedEvent(MacroBuffers& buffers, const RecordedEvent& recorded,
                                       bool has_delay);

// The last byte offsets at which a recorded press or release may still begin.
inline constexpr std::size_t kPressLimit = 184;
inline constexpr std::size_t kReleaseLimit = 188;

}  // namespace n240qx
