#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// Named profiles beside the one kept profile: each a JSON profile `NAME.json` in the library
// folder (`profiles/` in the data folder), as `read --json` writes it, so that a user can also
// drop one in, copy one out or read one. A name is a file name of its own: never a path, a
// hidden file or a text that breaks a listed line.
class ProfileLibrary {
 public:
  static constexpr std::size_t kMaxNameBytes = 64;
  static constexpr std::string_view kSuffix = ".json";

  explicit ProfileLibrary(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // kInvalidArgument with the reason, in `language`, when `name` cannot name a profile.
  static Status CheckName(std::string_view name, Language language = Language::kEnglish);

  const std::filesystem::path& folder() const { return folder_; }
  // The file of a profile by a name CheckName accepts.
  std::filesystem::path FileOf(std::string_view name) const;
  // Sorted; none while the folder does not exist. Files whose names make no valid profile
  // name, and anything but regular files, are not listed.
  Result<std::vector<std::string>> Names() const;
  bool Has(std::string_view name) const;
  // kInvalidArgument for a bad name, kNotFound naming the folder when there is no such profile.
  Status CheckExisting(std::string_view name, Language language = Language::kEnglish) const;

  // The profile's text, written whole or not at all; the folder is made when missing.
  Status Save(std::string_view name, std::string_view json_text) const;
  // kNotFound when there is no such profile.
  Status Delete(std::string_view name) const;
  // kNotFound without OLD; kInvalidArgument when NEW is another profile. A change of case only
  // is a rename on a file system that ignores case too.
  Status Rename(std::string_view from, std::string_view to) const;

 private:
  std::filesystem::path folder_;
};

}  // namespace n240qx
