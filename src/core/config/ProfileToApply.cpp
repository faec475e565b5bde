#include "config/ProfileToApply.h"

#include <span>
#include <string>

#include "config/ProfileCheck.h"
#include "config/ProfileJson.h"
#include "keys/KeymapStore.h"
#include "util/AtomicFile.h"
#include "util/JsonParser.h"

namespace n240qx {

namespace {

Error TooLong(const std::filesystem::path& file, std::size_t limit) {
  // A device or pipe has no size to name.
  std::error_code unsized;
  const auto size = std::filesystem::file_size(file, unsized);
  return RefusedProfile(file, ": it is " +
                                  (unsized ? std::string() : std::to_string(size) + " bytes, ") +
                                  "longer than any profile (" + std::to_string(limit) + " bytes)");
}

}  // namespace

Error RefusedProfile(const std::filesystem::path& file, const std::string& why) {
  return Error{ErrorCode::kBadData, "refused " + file.string() + ", nothing was sent" + why};
}

Result<std::vector<std::uint8_t>> ReadProfileToApply(const KeyNameTable& names,
                                                     const std::filesystem::path& file) {
  // One byte more than the longest file taken, so that a longer file is seen as such.
  auto bytes = ReadFilePrefix(file, JsonParser::kMaxSize + 1);
  if (!bytes.ok()) {
    return Error{ErrorCode::kIo, "cannot read the profile: " + bytes.error().message};
  }
  const std::size_t limit =
      profile_json::LooksLikeJson(*bytes) ? JsonParser::kMaxSize : kKeymapStoreSize;
  if (bytes->size() > limit) {
    return TooLong(file, limit);
  }
  auto profile = profile_json::ChosenProfileBytes(names, std::move(*bytes));
  if (!profile.ok()) {
    return RefusedProfile(file, ":\n  " + profile.error().message);
  }
  const std::span<const std::uint8_t> settings_left_for_later[] = {*profile};
  if (!CheckProfile(*profile, settings_left_for_later).empty()) {
    std::string message = ":";
    for (const ProfileProblem& problem : CheckProfile(*profile)) {
      message += "\n  " + problem.Text();
    }
    return RefusedProfile(file, message);
  }
  return profile;
}

}  // namespace n240qx
