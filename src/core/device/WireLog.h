#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "device/WireLogEntry.h"
#include "util/Clock.h"

namespace n240qx {

// Every report that crosses the wire, timed by the protocol's clock. Written as lines to a
// stream (--wire-log FILE) and, for tests, kept in memory. Safe to use from several threads.
class WireLog {
 public:
  // `out` may be null; with keep_entries the entries stay readable through Entries().
  WireLog(const Clock& clock, std::ostream* out, bool keep_entries);

  void Record(WireDirection direction, WireKind kind, std::span<const std::uint8_t> bytes);
  void RecordError(WireDirection direction, WireKind kind, const std::string& reason);

  std::vector<WireLogEntry> Entries() const;
  void Clear();

 private:
  void Add(WireLogEntry entry);

  const Clock& clock_;
  std::ostream* out_;
  bool keep_entries_;
  mutable std::mutex mutex_;
  std::vector<WireLogEntry> entries_;
};

}  // namespace n240qx
