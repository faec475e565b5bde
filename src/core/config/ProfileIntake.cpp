#include "config/ProfileIntake.h"

#include <string>

#include "config/ProfileCheck.h"
#include "config/ProfileJson.h"
#include "keys/KeymapStore.h"
#include "util/JsonParser.h"

namespace n240qx {

std::size_t ProfileIntake::Limit(std::span<const std::uint8_t> bytes) {
  return profile_json::LooksLikeJson(bytes) ? JsonParser::kMaxSize : kKeymapStoreSize;
}

Result<std::vector<std::uint8_t>> ProfileIntake::Check(const KeyNameTable& names,
                                                       std::vector<std::uint8_t> bytes,
                                                       Language language) {
  if (const std::size_t limit = Limit(bytes); bytes.size() > limit) {
    const std::string size = std::to_string(bytes.size());
    const std::string most = std::to_string(limit);
    return Error{
        ErrorCode::kBadData,
        language == Language::kGerman
            ? ": sie ist " + size + " Bytes groß, größer als jedes Profil (" + most + " Bytes)"
            : ": it is " + size + " bytes, longer than any profile (" + most + " bytes)"};
  }
  auto profile = profile_json::ChosenProfileBytes(names, std::move(bytes), language);
  if (!profile.ok()) {
    return Error{ErrorCode::kBadData, ":\n  " + profile.error().message};
  }
  const std::span<const std::uint8_t> settings_left_for_later[] = {*profile};
  if (!CheckProfile(*profile, settings_left_for_later).empty()) {
    std::string message = ":";
    for (const ProfileProblem& problem : CheckProfile(*profile)) {
      message += "\n  " + problem.Text(language);
    }
    return Error{ErrorCode::kBadData, std::move(message)};
  }
  return profile;
}

}  // namespace n240qx
