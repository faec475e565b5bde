#include "macros/MacroRecording.h"

#include <algorithm>
#include <string>

namespace n240qx {

RecordedEvent RecordedEventOf(const KeyNameTable& names, std::uint8_t vk, bool release,
                              std::uint16_t delay_ms) {
  return RecordedEvent{vk, names.DeviceCodeOf(vk), release, delay_ms};
}

std::uint16_t RecordedDelayMs(std::uint64_t elapsed_us) {
  const std::uint64_t ms = elapsed_us / 1000;
  return static_cast<std::uint16_t>(
      std::clamp<std::uint64_t>(ms, MacroEvent::kNoDelay, MacroEvent::kMaxDelayMs));
}

Result<MacroEvent> AppendRecordedEvent(MacroBuffers& buffers, const RecordedEvent& recorded,
                                       bool has_delay) {
  if (recorded.vk == 0 || recorded.device_code == 0) {
    return Error{ErrorCode::kInvalidArgument, "The key has no code the keyboard knows."};
  }
  const std::size_t offset = buffers.UsedBytes();
  const bool first = offset == 0;
  const std::uint16_t delay =
      has_delay && !first
          ? std::clamp(recorded.delay_ms, MacroEvent::kNoDelay, MacroEvent::kMaxDelayMs)
          : MacroEvent::kNoDelay;
  const EncodedEvent key_bytes = EncodeEvent(recorded.release, delay, recorded.vk);
  const EncodedEvent device_bytes = EncodeEvent(recorded.release, delay, recorded.device_code);
  const std::size_t limit = recorded.release ? kReleaseLimit : kPressLimit;
  if (offset >= limit || offset + key_bytes.length > macro_layout::kEventBufferSize) {
    return Error{ErrorCode::kInvalidArgument,
                 "The macro is full at byte " + std::to_string(offset) + "."};
  }
  // Whatever a damaged file left behind the last event must not join the walk once the
  // terminator is overwritten.
  std::fill(buffers.key_events.begin() + offset, buffers.key_events.end(), 0);
  std::fill(buffers.device_events.begin() + offset, buffers.device_events.end(), 0);
  std::copy_n(key_bytes.bytes.begin(), key_bytes.length, buffers.key_events.begin() + offset);
  std::copy_n(device_bytes.bytes.begin(), device_bytes.length,
              buffers.device_events.begin() + offset);
  MacroEvent written = *DecodeEventAt(buffers.key_events, offset);
  return written;
}

}  // namespace n240qx
