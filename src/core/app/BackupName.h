#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "app/ChangeSummary.h"

namespace n240qx {

// The name of one backup file: when it was made (UTC, to the millisecond, for people), a
// sequence number one above that of every backup before it, which orders the backups (a clock
// set back must not make the newest the oldest, to be removed at once), and what the write
// that followed changed, in words that stay the same whatever the interface language:
// "20261208-124147-123-0_lighting+3-keys+game-mode.bin".
struct BackupName {
  using Time = std::chrono::sys_time<std::chrono::milliseconds>;

  Time time;
  unsigned sequence = 0;
  ChangeSummary summary;

  std::string Format() const;
  // Only names that Format could have made; anything else is not one of ours.
  static std::optional<BackupName> Parse(std::string_view file_name);

  // Older first: by sequence, by time only between names of one sequence (made elsewhere).
  friend bool Before(const BackupName& a, const BackupName& b) {
    return a.sequence != b.sequence ? a.sequence < b.sequence : a.time < b.time;
  }
};

}  // namespace n240qx
