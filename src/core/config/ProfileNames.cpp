#include "config/ProfileNames.h"

#include <algorithm>

namespace n240qx::profile_names {

namespace {
// Most Linux file systems take 255 bytes per name, the suffix included.
constexpr std::size_t kMaxFileName = 255;
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
    return Error{
        ErrorCode::kInvalidArgument,
        "\"" + std::string(name) + "\" is no profile name: a name needs a letter or digit"};
  }
  if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos) {
    return Error{ErrorCode::kInvalidArgument,
                 "\"" + std::string(name) + "\" is no profile name: it may not contain / or \\"};
  }
  if (StoredFileName(name).size() > kMaxFileName) {
    return Error{ErrorCode::kInvalidArgument, "the profile name is too long"};
  }
  return Status::Ok();
}

}  // namespace n240qx::profile_names
