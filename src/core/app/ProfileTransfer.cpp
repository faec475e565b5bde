#include "app/ProfileTransfer.h"

#include <array>

#include "config/ProfileIntake.h"
#include "config/ProfileNames.h"
#include "keys/KeymapStore.h"
#include "util/JsonParser.h"
#include "util/TextTable.h"

namespace n240qx {

namespace {

// What became of the configuration when an Import or Export failed.
enum class Became { kNotImported, kNotExported, kLoadedNotKept };

constexpr std::array<TextRow<Became>, 3> kBecame{{
    {Became::kNotImported, "the profile was not imported: ", "das Profil wurde nicht importiert: "},
    {Became::kNotExported, "the profile was not exported: ", "das Profil wurde nicht exportiert: "},
    {Became::kLoadedNotKept, "the profile was loaded into keymap.bin but not kept: ",
     "das Profil wurde in keymap.bin geladen, aber nicht abgelegt: "},
}};
static_assert(RowsFollowIds(kBecame));

ProfileOutcome Failed(Status status, bool configuration_changed = false) {
  return {std::move(status), configuration_changed, std::nullopt, {}};
}

ProfileOutcome Kept(Result<ProfileEntry> kept, bool configuration_changed) {
  if (!kept.ok()) {
    return Failed(kept.error(), configuration_changed);
  }
  return {Status::Ok(), configuration_changed, std::move(kept).value(), {}};
}

}  // namespace

// A JSON profile is read into the binary layout, which is what the store keeps. The check is
// the one `apply` and the bus make, so that the window takes no file the tool refuses.
Result<std::vector<std::uint8_t>> ProfileTransfer::ReadProfileFile(
    const std::filesystem::path& chosen) {
  // One byte more than the longest file taken, so that a longer file is seen as such.
  auto bytes = store_.files().Read(chosen, JsonParser::kMaxSize + 1);
  if (!bytes.ok()) {
    return bytes.error();
  }
  auto profile = ProfileIntake::Check(state_.key_names(), std::move(*bytes), language_);
  if (!profile.ok()) {
    return Error{ErrorCode::kBadData, chosen.string() + profile.error().message};
  }
  return profile;
}

Error TransferFailure(const ProfileOutcome& outcome, bool import, Language language) {
  Became what = import ? Became::kNotImported : Became::kNotExported;
  if (outcome.configuration_changed) {
    what = Became::kLoadedNotKept;
  }
  return Error{outcome.status.error().code,
               std::string(LookupText(kBecame, what, language)) + outcome.status.error().message};
}

ProfileOutcome ProfileTransfer::Import(const std::filesystem::path& chosen, UnusableName unusable) {
  std::string name = profile_names::FromChosenFile(chosen);
  if (Status checked = profile_names::Check(name, language_); !checked.ok()) {
    if (unusable == UnusableName::kRefuse) {
      return Failed(checked);
    }
    name = std::string(profile_names::kImportFallback);
  }
  auto bytes = ReadProfileFile(chosen);
  if (!bytes.ok()) {
    return Failed(bytes.error());
  }
  // Kept for a refusal: the launch paths are known only once the profile is loaded.
  const ConfigImage image_before = state_.image();
  const KeyActionTable actions_before = state_.key_actions();
  if (Status loaded = state_.LoadProfile(*bytes, {}, language_); !loaded.ok()) {
    return Failed(loaded, false);
  }
  auto launches = ChangedLaunchPaths(actions_before, state_.key_actions());
  if (!launches.empty() && !(approve_launches_ && approve_launches_(launches))) {
    state_.PutBackSettings(image_before, actions_before);
    ProfileOutcome refused = Failed(
        Error{ErrorCode::kBadData, chosen.string() + std::string(StartsProgramsText(language_)) +
                                       ListedLaunchPaths(launches)});
    refused.declined_launches = std::move(launches);
    return refused;
  }
  if (Status refreshed = state_.Refresh(); !refreshed.ok()) {
    return Failed(refreshed, true);
  }
  return Kept(store_.Keep(name, *bytes), true);
}

ProfileOutcome ProfileTransfer::Export(const std::filesystem::path& chosen) {
  const std::string name = profile_names::FromChosenFile(chosen);
  if (Status checked = profile_names::Check(name, language_); !checked.ok()) {
    return Failed(checked);
  }
  if (Status own = own_files_.CheckNotOwn(chosen, language_); !own.ok()) {
    return Failed(own);
  }
  const auto bytes = EncodeKeymapStore(state_.image(), state_.key_actions());
  if (Status written = store_.files().Write(chosen, bytes); !written.ok()) {
    return Failed(written);
  }
  return Kept(store_.Keep(name, bytes), false);
}

ProfileOutcome ProfileTransfer::Rename(const ProfileEntry& profile, std::string_view typed) {
  return Kept(store_.Rename(profile, profile_names::FromTyped(typed)), false);
}

}  // namespace n240qx
