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
                                                       std::vector<std::uint8_t> bytes) {
  if (const std::size_t limit = Limit(bytes); bytes.size() > limit) {
    return Error{ErrorCode::kBadData, ": it is " + std::to_string(bytes.size()) +
                                          " bytes, longer than any profile (" +
                                          std::to_string(limit) + " bytes)"};
  }
  auto profile = profile_json::ChosenProfileBytes(names, std::move(bytes));
  if (!profile.ok()) {
    return Error{ErrorCode::kBadData, ":\n  " + profile.error().message};
  }
  const std::span<const std::uint8_t> settings_left_for_later[] = {*profile};
  if (!CheckProfile(*profile, settings_left_for_later).empty()) {
    std::string message = ":";
    for (const ProfileProblem& problem : CheckProfile(*profile)) {
      message += "\n  " + problem.Text();
    }
    return Error{ErrorCode::kBadData, std::move(message)};
  }
  return profile;
}

}  // namespace n240qx
