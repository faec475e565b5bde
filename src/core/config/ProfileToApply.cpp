#include "config/ProfileToApply.h"

#include <string>

#include "config/ProfileIntake.h"
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
  if (const std::size_t limit = ProfileIntake::Limit(*bytes); bytes->size() > limit) {
    return TooLong(file, limit);
  }
  auto profile = ProfileIntake::Check(names, std::move(*bytes));
  if (!profile.ok()) {
    return RefusedProfile(file, profile.error().message);
  }
  return profile;
}

}  // namespace n240qx
