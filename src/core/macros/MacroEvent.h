#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace n240qx {

// One event of an event buffer. Byte 0 is the head: bit 7 set for a release, bits 0-6 the delay
// before the event in ms, or 0x7F when the delay follows the key byte as a big-endian u16.
// Byte 1 is the key: a device code in `device_events`, a virtual-key code in `key_events`.
struct MacroEvent {
  static constexpr std::uint8_t kReleaseBit = 0x80;
  static constexpr std::uint8_t kDelayMask = 0x7F;
  static constexpr std::uint8_t kEscape = 0x7F;
  // Delays from here on do not fit in the head's seven bits.
  static constexpr std::uint16_t kFirstEscapedDelay = 127;
  // Recorded delays are clamped to a minute; edited ones stay within 2 ms and a minute.
  static constexpr std::uint16_t kMaxDelayMs = 60000;
  // A delay of 1 ms stands for "no delay".
  static constexpr std::uint16_t kNoDelay = 1;

  std::size_t offset = 0;
  std::size_t length = 2;  // 2, or 4 in the escape form
  std::uint8_t head = 0;
  std::uint8_t key = 0;
  std::uint16_t delay_ms = 0;

  bool release() const { return (head & kReleaseBit) != 0; }
  bool escaped() const { return length == 4; }
  std::size_t end() const { return offset + length; }

  friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

// 2 or 4 encoded bytes.
struct EncodedEvent {
  std::array<std::uint8_t, 4> bytes{};
  std::size_t length = 2;

  std::span<const std::uint8_t> span() const { return {bytes.data(), length}; }
};

// Heads and key bytes only; delays of 127 ms and more take the escape form.
EncodedEvent EncodeEvent(bool release, std::uint16_t delay_ms, std::uint8_t key);

// Event bytes are 2 unless the head's delay bits hold the escape value.
std::size_t EventLengthOf(std::uint8_t head);

// The event that starts at offset, or nothing when the sequence ends there: its key byte is 0,
// or its bytes would reach past the buffer. Never reads outside the buffer, whatever it holds.
std::optional<MacroEvent> DecodeEventAt(std::span<const std::uint8_t> buffer, std::size_t offset);

// Every event from offset 0 until the sequence ends; at most size / 2 events.
std::vector<MacroEvent> WalkEvents(std::span<const std::uint8_t> buffer);

// The offset just past the last event: where the next recorded event goes.
std::size_t EventsEnd(std::span<const std::uint8_t> buffer);

// Whether the sequence ends where it may: at a key byte of 0 or at the buffer's end, not with
// an event cut off by the end.
bool EventsEndCleanly(std::span<const std::uint8_t> buffer);

}  // namespace n240qx
