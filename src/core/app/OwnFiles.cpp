#include "app/OwnFiles.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "util/TextTable.h"

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

// The words around the target and what it is; German names the target first.
enum class Part { kBeforeTarget, kAfterTarget, kOwnFile, kInBackups, kLost };

constexpr std::array<TextRow<Part>, 5> kParts{{
    {Part::kBeforeTarget, "refused to write a profile over ", ""},
    {Part::kAfterTarget, ": ", " wird nicht \u00FCberschrieben: "},
    {Part::kOwnFile, "it is one of the program's own files (",
     "es ist eine der eigenen Dateien des Programms ("},
    {Part::kInBackups, "it is inside the backups folder ", "es liegt im Sicherungsordner "},
    {Part::kLost, " and would be lost", " und ginge verloren"},
}};
static_assert(RowsFollowIds(kParts));

Error Refusal(const std::filesystem::path& target, Part what, const std::string& named,
              Language language) {
  const auto text = [language](Part part) {
    return std::string(LookupText(kParts, part, language));
  };
  return Error{ErrorCode::kInvalidArgument, text(Part::kBeforeTarget) + target.string() +
                                                text(Part::kAfterTarget) + text(what) + named +
                                                text(Part::kLost)};
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

Status OwnFiles::CheckNotOwn(const std::filesystem::path& target, Language language) const {
  const auto resolved = Resolved(target);
  if (std::ranges::find(files_, resolved) != files_.end()) {
    return Refusal(target, Part::kOwnFile, resolved.filename().string() + ")", language);
  }
  for (const auto& folder : folders_) {
    if (IsUnder(resolved, folder)) {
      return Refusal(target, Part::kInBackups, folder.string(), language);
    }
  }
  return Status::Ok();
}

}  // namespace n240qx
