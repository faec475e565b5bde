#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace n240qx {

enum class WireDirection { kIn, kOut };
enum class WireKind { kFeature, kAnswer, kData, kEvent };

// One report on the wire, or one failed transfer (error non-empty).
struct WireLogEntry {
  std::int64_t time_us = 0;
  WireDirection direction = WireDirection::kOut;
  WireKind kind = WireKind::kFeature;
  std::vector<std::uint8_t> bytes;
  std::string error;

  // "<ms since start, three decimals> <in|out> <kind> <HEX ...>" or "... error <reason>".
  std::string Format() const;
  // The same without the time: "<in|out> <kind> <HEX ...>", as a dry run prints what it would
  // send.
  std::string Untimed() const;
};

}  // namespace n240qx
