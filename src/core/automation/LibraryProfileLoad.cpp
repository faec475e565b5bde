#include "automation/LibraryProfileLoad.h"

#include "config/ProfileJson.h"
#include "util/AtomicFile.h"
#include "util/JsonParser.h"

namespace n240qx {

Status LoadLibraryProfile(ConfiguratorState& state, const ProfileLibrary& library,
                          std::string_view name) {
  if (Status existing = library.CheckExisting(name); !existing.ok()) {
    return existing;
  }
  const auto file = library.FileOf(name);
  // One byte more than the longest profile taken, so that a longer file is seen as such.
  auto bytes = ReadFilePrefix(file, JsonParser::kMaxSize + 1);
  if (!bytes.ok()) {
    return bytes.error();
  }
  if (bytes->size() > JsonParser::kMaxSize) {
    return Error{ErrorCode::kBadData, file.string() + " is longer than any profile"};
  }
  auto profile = profile_json::ChosenProfileBytes(state.key_names, std::move(*bytes));
  if (!profile.ok()) {
    return Error{ErrorCode::kBadData, file.string() + ": " + profile.error().message};
  }
  if (Status loaded = state.LoadProfile(*profile); !loaded.ok()) {
    return Error{ErrorCode::kBadData, file.string() + ": " + loaded.error().message};
  }
  return Status::Ok();
}

}  // namespace n240qx
