#include "macros/MacroEvent.h"

namespace n240qx {

EncodedEvent EncodeEvent(bool release, std::uint16_t delay_ms, std::uint8_t key) {
  const std::uint8_t release_bit = release ? MacroEvent::kReleaseBit : 0;
  EncodedEvent encoded;
  encoded.bytes[1] = key;
  if (delay_ms < MacroEvent::kFirstEscapedDelay) {
    encoded.bytes[0] = static_cast<std::uint8_t>(release_bit | delay_ms);
    encoded.length = 2;
  } else {
    encoded.bytes[0] = static_cast<std::uint8_t>(release_bit | MacroEvent::kEscape);
    encoded.bytes[2] = static_cast<std::uint8_t>(delay_ms >> 8);
    encoded.bytes[3] = static_cast<std::uint8_t>(delay_ms & 0xFF);
    encoded.length = 4;
  }
  return encoded;
}

std::size_t EventLengthOf(std::uint8_t head) {
  return (head & MacroEvent::kDelayMask) == MacroEvent::kEscape ? 4 : 2;
}

std::optional<MacroEvent> DecodeEventAt(std::span<const std::uint8_t> buffer, std::size_t offset) {
  if (offset >= buffer.size()) {
    return std::nullopt;
  }
  MacroEvent event;
  event.offset = offset;
  event.head = buffer[offset];
  event.length = EventLengthOf(event.head);
  if (event.length > buffer.size() - offset) {
    return std::nullopt;
  }
  event.key = buffer[offset + 1];
  if (event.key == 0) {
    return std::nullopt;
  }
  event.delay_ms = event.escaped()
                       ? static_cast<std::uint16_t>((buffer[offset + 2] << 8) | buffer[offset + 3])
                       : static_cast<std::uint16_t>(event.head & MacroEvent::kDelayMask);
  return event;
}

std::vector<MacroEvent> WalkEvents(std::span<const std::uint8_t> buffer) {
  std::vector<MacroEvent> events;
  std::size_t offset = 0;
  // Every event is at least two bytes long, so the walk ends within size / 2 steps.
  while (const auto event = DecodeEventAt(buffer, offset)) {
    events.push_back(*event);
    offset = event->end();
  }
  return events;
}

std::size_t EventsEnd(std::span<const std::uint8_t> buffer) {
  std::size_t offset = 0;
  while (const auto event = DecodeEventAt(buffer, offset)) {
    offset = event->end();
  }
  return offset;
}

bool EventsEndCleanly(std::span<const std::uint8_t> buffer) {
  const std::size_t end = EventsEnd(buffer);
  return end >= buffer.size() || (end + 1 < buffer.size() && buffer[end + 1] == 0);
}

}  // namespace n240qx
