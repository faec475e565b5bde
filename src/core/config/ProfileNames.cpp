#include "config/ProfileNames.h"

#include <algorithm>

#include "util/ControlCharacters.h"
#include "util/EscapedText.h"

namespace n240qx::profile_names {

namespace {
// Most Linux file systems take 255 bytes per name, the suffix included.
constexpr std::size_t kMaxFileName = 255;

Error Refused(std::string_view name, std::string_view why) {
  return Error{ErrorCode::kInvalidArgument,
               "\"" + EscapedText(name) + "\" is no profile name: " + std::string(why)};
}
}  // namespace

std::string FromStoredFile(std::string_view file_name) {
  while (file_name.ends_with(kSuffix)) {
    file_name.remove_suffix(kSuffix.size());
  }
  return std::string(file_name);
}

std::string FromChosenFile(const std::filesystem::path& chosen) {
  const std::string file_name = chosen.filename().string();
  return file_name.substr(0, file_name.find('.'));
}

std::string FromTyped(std::string_view text) {
  return FromStoredFile(text);
}

std::string StoredFileName(std::string_view name) {
  return std::string(name) + std::string(kSuffix);
}

Status Check(std::string_view name) {
  if (std::all_of(name.begin(), name.end(), [](char c) { return c == '.'; })) {
    return Refused(name, "a name needs a letter or digit");
  }
  if (name.find_first_of("/\\") != std::string_view::npos) {
    return Refused(name, "it may not contain / or \\");
  }
  // A line break would make one profile read as two in a list; NUL is one of them.
  if (HoldsControlCharacter(name)) {
    return Refused(name, "it may not hold control characters");
  }
  if (StoredFileName(name).size() > kMaxFileName) {
    return Error{ErrorCode::kInvalidArgument, "the profile name is too long"};
  }
  return Status::Ok();
}

}  // namespace n240qx::profile_names
