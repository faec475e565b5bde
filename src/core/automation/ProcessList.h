#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "automation/RunningProgram.h"
#include "util/Result.h"

namespace n240qx {

// The running programs, read from a /proc tree: `comm`, `cmdline` (NUL-separated) and the
// `exe` link where this user may read it. Processes come and go while the tree is read; one
// that is gone by the time its files are opened is left out, never an error.
class ProcessList {
 public:
  explicit ProcessList(std::filesystem::path root = "/proc") : root_(std::move(root)) {}

  // Every process, by rising pid; kIo naming the root only when it cannot be listed at all.
  Result<std::vector<RunningProgram>> Read() const;
  // One process, such as the one behind the active window; none when it is gone.
  std::optional<RunningProgram> ReadOne(int pid) const;

 private:
  std::filesystem::path root_;
};

}  // namespace n240qx
