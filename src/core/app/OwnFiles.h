#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "app/ProgramPaths.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// The files the program keeps for itself: the stores, the backups and the simulator's memory.
// A profile written over one of them would replace the user's macros or key settings with
// something no backup covers, so an export or a saved read never lands there.
class OwnFiles {
 public:
  OwnFiles() = default;
  explicit OwnFiles(const ProgramPaths& paths,
                    const std::optional<std::filesystem::path>& simulator_state = std::nullopt);

  // Ok, or kInvalidArgument naming the file when `target` is one of them or lies under the
  // backups folder, worded in `language`. Links and relative paths are followed as far as they
  // exist.
  Status CheckNotOwn(const std::filesystem::path& target,
                     Language language = Language::kEnglish) const;

 private:
  std::vector<std::filesystem::path> files_;
  std::vector<std::filesystem::path> folders_;
};

}  // namespace n240qx
