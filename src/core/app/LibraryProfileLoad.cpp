#include "app/LibraryProfileLoad.h"

#include "config/ProfileToApply.h"
#include "keys/LaunchPathChange.h"

namespace n240qx {

Status LoadLibraryProfile(ConfiguratorState& state, const ProfileLibrary& library,
                          std::string_view name, Language language) {
  if (Status existing = library.CheckExisting(name, language); !existing.ok()) {
    return existing;
  }
  const std::filesystem::path file = library.FileOf(name);
  const auto bytes = ReadProfileToApply(state.key_names(), file, language);
  if (!bytes.ok()) {
    return bytes.error();
  }
  const ConfigImage image_before = state.image();
  const KeyActionTable actions_before = state.key_actions();
  if (Status loaded = state.LoadProfile(*bytes, {}, language); !loaded.ok()) {
    return RefusedProfile(file, ": " + loaded.error().message, language);
  }
  state.KeepHostActionKeys(image_before, actions_before);
  const auto launches = ChangedLaunchPaths(actions_before, state.key_actions());
  if (!launches.empty()) {
    state.PutBackSettings(image_before, actions_before);
    return RefusedProfile(file,
                          std::string(language == Language::kGerman ? ": es" : ": it") +
                              std::string(StartsProgramsText(language)) +
                              ListedLaunchPaths(launches),
                          language);
  }
  return Status::Ok();
}

}  // namespace n240qx
