#include "app/OwnFiles.h"

#include <algorithm>
#include <system_error>

namespace n240qx {

namespace {

std::filesystem::path Resolved(const std::filesystem::path& path) {
  std::error_code error;
  auto resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
  return error ? path.lexically_normal() : resolved;
}

bool IsUnder(const std::filesystem::path& path, const std::filesystem::path& folder) {
  const auto relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

Error Refusal(const std::filesystem::path& target, const std::string& what) {
  return Error{ErrorCode::kInvalidArgument, "refused to write a profile over " + target.string() +
                                                ": it is " + what + " and would be lost"};
}

}  // namespace

OwnFiles::OwnFiles(const ProgramPaths& paths,
                   const std::optional<std::filesystem::path>& simulator_state)
    : files_{Resolved(paths.KeymapFile()), Resolved(paths.MacroFile())},
      folders_{Resolved(paths.BackupsFolder())} {
  if (simulator_state) {
    files_.push_back(Resolved(*simulator_state));
  }
}

Status OwnFiles::CheckNotOwn(const std::filesystem::path& target) const {
  const auto resolved = Resolved(target);
  if (std::ranges::find(files_, resolved) != files_.end()) {
    return Refusal(target, "one of the program's own files (" + resolved.filename().string() + ")");
  }
  for (const auto& folder : folders_) {
    if (IsUnder(resolved, folder)) {
      return Refusal(target, "inside the backups folder " + folder.string());
    }
  }
  return Status::Ok();
}

}  // namespace n240qx
