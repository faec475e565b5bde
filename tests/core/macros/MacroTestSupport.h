#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "macros/MacroBuffers.h"
#include "macros/MacroEventList.h"
#include "support/Hex.h"

namespace n240qx::testing {

// The used part of a buffer (up to the last non-zero byte), as hex.
inline std::string UsedHex(std::span<const std::uint8_t> bytes) {
  std::size_t end = bytes.size();
  while (end > 0 && bytes[end - 1] == 0) {
    --end;
  }
  return Hex(bytes.first(end));
}

inline EventBuffer Buffer(std::initializer_list<std::uint8_t> bytes) {
  EventBuffer buffer{};
  std::size_t at = 0;
  for (std::uint8_t byte : bytes) {
    buffer.at(at++) = byte;
  }
  return buffer;
}

// Key events with virtual-key codes, and device events with the same heads and the codes the
// keyboard uses: 'A' 0x41 -> 0x04, 'B' 0x42 -> 0x05, mouse buttons unchanged.
inline std::uint8_t DeviceCodeFor(std::uint8_t vk) {
  if (vk >= 0x41 && vk <= 0x5A) {
    return static_cast<std::uint8_t>(vk - 0x3D);
  }
  return vk;
}

inline MacroBuffers Buffers(std::initializer_list<std::uint8_t> key_bytes) {
  MacroBuffers buffers;
  buffers.key_events = Buffer(key_bytes);
  buffers.device_events = buffers.key_events;
  for (const MacroEvent& event : WalkEvents(buffers.key_events)) {
    buffers.device_events[event.offset + 1] = DeviceCodeFor(event.key);
  }
  return buffers;
}

// A few names of the key name table, enough for the events the tests use.
inline std::u16string TestKeyName(std::uint8_t vk) {
  if (vk >= 0x41 && vk <= 0x5A) {
    return std::u16string{static_cast<char16_t>(vk), u' '};
  }
  switch (vk) {
    case 0xF0:
      return u"MsLB";
    case 0xF1:
      return u"MsRB";
    case 0xF2:
      return u"MsMB";
    default:
      return u"";
  }
}

inline std::vector<std::string> Lines(std::span<const std::uint8_t> key_events) {
  std::vector<std::string> lines;
  for (const auto& line : BuildEventLines(key_events, TestKeyName)) {
    lines.emplace_back(line.begin(), line.end());
  }
  return lines;
}

}  // namespace n240qx::testing
