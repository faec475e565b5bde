#include "app/ProfileLibrary.h"

#include <algorithm>
#include <span>
#include <system_error>

#include "util/AtomicFile.h"
#include "util/ControlCharacters.h"
#include "util/EscapedText.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

// Escaped, a refused name still shows what it holds.
Error Invalid(std::string_view name, std::string_view english, std::string_view german,
              Language language) {
  const std::string quoted = "\"" + EscapedText(name) + "\"";
  return Error{ErrorCode::kInvalidArgument,
               language == Language::kGerman
                   ? quoted + " kann kein Profil benennen: " + std::string(german)
                   : quoted + " cannot name a profile: " + std::string(english)};
}

Error Refused(std::string_view english, std::string_view german, Language language) {
  return Error{ErrorCode::kInvalidArgument,
               std::string(language == Language::kGerman ? german : english)};
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

Status ProfileLibrary::CheckName(std::string_view name, Language language) {
  if (name.empty()) {
    return Refused("a profile needs a name", "ein Profil braucht einen Namen", language);
  }
  if (name.size() > kMaxNameBytes) {
    const std::string most = std::to_string(kMaxNameBytes);
    return Invalid(name, "longer than " + most + " bytes", "l\u00E4nger als " + most + " Bytes",
                   language);
  }
  if (HoldsControlCharacter(name)) {
    return Invalid(name, "it holds a control character", "er enth\u00E4lt ein Steuerzeichen",
                   language);
  }
  if (!IsUtf8(name)) {
    return Refused("a profile name must be UTF-8 text", "ein Profilname muss UTF-8-Text sein",
                   language);
  }
  if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos) {
    return Invalid(name, "a name, not a path (no / or \\)", "ein Name, kein Pfad (kein / oder \\)",
                   language);
  }
  if (name.front() == '.' || name.front() == '-' || name.back() == ' ' || name.front() == ' ') {
    return Invalid(name, "it may not start with '.', '-' or a space, nor end with a space",
                   "er darf nicht mit '.', '-' oder einem Leerzeichen beginnen und nicht mit "
                   "einem Leerzeichen enden",
                   language);
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

Status ProfileLibrary::CheckExisting(std::string_view name, Language language) const {
  if (Status valid = CheckName(name, language); !valid.ok()) {
    return valid;
  }
  if (!Has(name)) {
    const std::string quoted = "\"" + std::string(name) + "\"";
    return Error{ErrorCode::kNotFound, language == Language::kGerman
                                           ? "kein Profil " + quoted + " in " + folder_.string()
                                           : "no profile " + quoted + " in " + folder_.string()};
  }
  return Status::Ok();
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
