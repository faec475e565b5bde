#include "app/ProfileLibrary.h"

#include <algorithm>
#include <span>
#include <system_error>

#include "config/ProfileJson.h"
#include "util/AtomicFile.h"
#include "util/ControlCharacters.h"
#include "util/EscapedText.h"
#include "util/JsonParser.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

// Escaped, a refused name still shows what it holds.
Error Invalid(std::string_view name, std::string_view why) {
  return Error{ErrorCode::kInvalidArgument,
               "\"" + EscapedText(name) + "\" cannot name a profile: " + std::string(why)};
}

bool IsUtf8(std::string_view name) {
  for (std::size_t at = 0; at < name.size();) {
    char32_t ignored = 0;
    if (!DecodeUtf8At(name, at, ignored)) {
      return false;
    }
  }
  return true;
}

}  // namespace

Status ProfileLibrary::CheckName(std::string_view name) {
  if (name.empty()) {
    return Error{ErrorCode::kInvalidArgument, "a profile needs a name"};
  }
  if (name.size() > kMaxNameBytes) {
    return Invalid(name, "longer than " + std::to_string(kMaxNameBytes) + " bytes");
  }
  if (HoldsControlCharacter(name)) {
    return Invalid(name, "it holds a control character");
  }
  if (!IsUtf8(name)) {
    return Error{ErrorCode::kInvalidArgument, "a profile name must be UTF-8 text"};
  }
  if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos) {
    return Invalid(name, "a name, not a path (no / or \\)");
  }
  if (name.front() == '.' || name.front() == '-' || name.back() == ' ' || name.front() == ' ') {
    return Invalid(name, "it may not start with '.', '-' or a space, nor end with a space");
  }
  return Status::Ok();
}

std::filesystem::path ProfileLibrary::FileOf(std::string_view name) const {
  return folder_ / std::filesystem::path(std::u8string(name.begin(), name.end()) + u8".json");
}

Result<std::vector<std::string>> ProfileLibrary::Names() const {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator entries(folder_, error);
  if (error == std::errc::no_such_file_or_directory) {
    return names;
  }
  if (error) {
    return Error{ErrorCode::kIo, "cannot list " + folder_.string() + ": " + error.message()};
  }
  for (const auto& entry : entries) {
    std::error_code unreadable;
    const std::string file = entry.path().filename().string();
    if (!entry.is_regular_file(unreadable) || !file.ends_with(kSuffix)) {
      continue;
    }
    const std::string name = file.substr(0, file.size() - kSuffix.size());
    if (CheckName(name).ok()) {
      names.push_back(name);
    }
  }
  std::ranges::sort(names);
  return names;
}

bool ProfileLibrary::Has(std::string_view name) const {
  std::error_code ignored;
  return CheckName(name).ok() && std::filesystem::is_regular_file(FileOf(name), ignored);
}

Status ProfileLibrary::CheckExisting(std::string_view name) const {
  if (Status valid = CheckName(name); !valid.ok()) {
    return valid;
  }
  if (!Has(name)) {
    return Error{ErrorCode::kNotFound,
                 "no profile \"" + std::string(name) + "\" in " + folder_.string()};
  }
  return Status::Ok();
}

Result<std::vector<std::uint8_t>> ProfileLibrary::Load(std::string_view name,
                                                       const KeyNameTable& names) const {
  if (Status existing = CheckExisting(name); !existing.ok()) {
    return existing.error();
  }
  // One byte more than the longest profile taken, so that a longer file is seen as such.
  auto bytes = ReadFilePrefix(FileOf(name), JsonParser::kMaxSize + 1);
  if (!bytes.ok()) {
    return bytes.error();
  }
  const auto refused = [&](std::string_view why) {
    return Error{ErrorCode::kBadData, FileOf(name).string() + " is no profile" + std::string(why)};
  };
  if (bytes->size() > JsonParser::kMaxSize || !profile_json::LooksLikeJson(*bytes)) {
    return refused("");
  }
  auto profile = profile_json::ProfileBytes(names, std::move(*bytes));
  if (!profile.ok()) {
    return refused(": " + profile.error().message);
  }
  return profile;
}

Status ProfileLibrary::Save(std::string_view name, std::string_view json_text) const {
  if (Status valid = CheckName(name); !valid.ok()) {
    return valid;
  }
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) {
    return Error{ErrorCode::kIo, "cannot make " + folder_.string() + ": " + error.message()};
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(json_text.data());
  return WriteFileAtomically(FileOf(name), std::span(bytes, json_text.size()));
}

Status ProfileLibrary::Delete(std::string_view name) const {
  if (Status existing = CheckExisting(name); !existing.ok()) {
    return existing;
  }
  std::error_code error;
  std::filesystem::remove(FileOf(name), error);
  if (error) {
    return Error{ErrorCode::kIo, "cannot delete " + FileOf(name).string() + ": " + error.message()};
  }
  return Status::Ok();
}

Status ProfileLibrary::Rename(std::string_view from, std::string_view to) const {
  if (Status existing = CheckExisting(from); !existing.ok()) {
    return existing;
  }
  if (Status valid = CheckName(to); !valid.ok()) {
    return valid;
  }
  std::error_code same;
  // "Race" to "race" where case is ignored finds the profile itself, not another one.
  if (Has(to) && !std::filesystem::equivalent(FileOf(from), FileOf(to), same)) {
    return Error{ErrorCode::kInvalidArgument,
                 "there is a profile \"" + std::string(to) + "\" already; delete it first"};
  }
  std::error_code error;
  std::filesystem::rename(FileOf(from), FileOf(to), error);
  if (error) {
    return Error{ErrorCode::kIo, "cannot rename " + FileOf(from).string() + ": " + error.message()};
  }
  return Status::Ok();
}

}  // namespace n240qx
