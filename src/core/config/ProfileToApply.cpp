#include "config/ProfileToApply.h"

#include <string>

#include "config/ProfileIntake.h"
#include "util/AtomicFile.h"
#include "util/JsonParser.h"

namespace n240qx {

namespace {

Error TooLong(const std::filesystem::path& file, std::size_t limit, Language language) {
  // A device or pipe has no size to name.
  std::error_code unsized;
  const auto size = std::filesystem::file_size(file, unsized);
  const std::string most = std::to_string(limit);
  if (language == Language::kGerman) {
    return RefusedProfile(
        file,
        ": sie ist " + (unsized ? std::string() : std::to_string(size) + " Bytes gro\u00DF, ") +
            "gr\u00F6\u00DFer als jedes Profil (" + most + " Bytes)",
        language);
  }
  return RefusedProfile(file, ": it is " +
                                  (unsized ? std::string() : std::to_string(size) + " bytes, ") +
                                  "longer than any profile (" + most + " bytes)");
}

}  // namespace

Error RefusedProfile(const std::filesystem::path& file, const std::string& why, Language language) {
  return Error{ErrorCode::kBadData,
               language == Language::kGerman
                   ? file.string() + " wurde abgelehnt, nichts wurde gesendet" + why
                   : "refused " + file.string() + ", nothing was sent" + why};
}

Result<std::vector<std::uint8_t>> ReadProfileToApply(const KeyNameTable& names,
                                                     const std::filesystem::path& file,
                                                     Language language) {
  // One byte more than the longest file taken, so that a longer file is seen as such.
  auto bytes = ReadFilePrefix(file, JsonParser::kMaxSize + 1, language);
  if (!bytes.ok()) {
    return Error{ErrorCode::kIo,
                 (language == Language::kGerman ? "Das Profil kann nicht gelesen werden: "
                                                : "cannot read the profile: ") +
                     bytes.error().message};
  }
  if (const std::size_t limit = ProfileIntake::Limit(*bytes); bytes->size() > limit) {
    return TooLong(file, limit, language);
  }
  auto profile = ProfileIntake::Check(names, std::move(*bytes), language);
  if (!profile.ok()) {
    return RefusedProfile(file, profile.error().message, language);
  }
  return profile;
}

}  // namespace n240qx
