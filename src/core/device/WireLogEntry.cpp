#include "device/WireLogEntry.h"

#include <cstdio>

namespace n240qx {

namespace {

const char* DirectionName(WireDirection direction) {
  return direction == WireDirection::kIn ? "in" : "out";
}

const char* KindName(WireKind kind) {
  switch (kind) {
    case WireKind::kFeature:
      return "feature";
    case WireKind::kAnswer:
      return "answer";
    case WireKind::kData:
      return "data";
    case WireKind::kEvent:
      return "event";
  }
  return "?";
}

}  // namespace

std::string WireLogEntry::Format() const {
  char time[32];
  std::snprintf(time, sizeof time, "%lld.%03lld ", static_cast<long long>(time_us / 1000),
                static_cast<long long>(time_us % 1000));
  return time + Untimed();
}

std::string WireLogEntry::Untimed() const {
  std::string line = std::string(DirectionName(direction)) + " " + KindName(kind);
  if (!error.empty()) {
    return line + " error " + error;
  }
  char hex[4];
  for (const std::uint8_t byte : bytes) {
    std::snprintf(hex, sizeof hex, " %02X", byte);
    line += hex;
  }
  return line;
}

}  // namespace n240qx
