#include "device/WireLog.h"

#include <utility>

namespace n240qx {

WireLog::WireLog(const Clock& clock, std::ostream* out, bool keep_entries)
    : clock_(clock), out_(out), keep_entries_(keep_entries) {}

void WireLog::Record(WireDirection direction, WireKind kind, std::span<const std::uint8_t> bytes) {
  Add(WireLogEntry{clock_.NowUs(), direction, kind, {bytes.begin(), bytes.end()}, {}});
}

void WireLog::RecordError(WireDirection direction, WireKind kind, const std::string& reason) {
  Add(WireLogEntry{clock_.NowUs(), direction, kind, {}, reason.empty() ? "unknown" : reason});
}

std::vector<WireLogEntry> WireLog::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

void WireLog::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

void WireLog::Add(WireLogEntry entry) {
  std::lock_guard lock(mutex_);
  if (out_ != nullptr) {
    *out_ << entry.Format() << '\n';
    out_->flush();
  }
  if (keep_entries_) {
    entries_.push_back(std::move(entry));
  }
}

}  // namespace n240qx
