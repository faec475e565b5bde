#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "app/ConfiguratorState.h"
#include "app/OwnFiles.h"
#include "config/ProfileEntry.h"
#include "config/ProfileStore.h"
#include "keys/LaunchPathChange.h"
#include "util/Result.h"

namespace n240qx {

// What an Import, Export or rename did. A failure says what went wrong in `status`; even then
// the configuration may have changed (an Import whose profile could not be kept).
struct ProfileOutcome {
  Status status;
  bool configuration_changed = false;
  std::optional<ProfileEntry> kept;
  // An Import refused because its launch paths were not approved: those paths.
  std::vector<LaunchPathChange> declined_launches;
};

// Asked before an imported profile adds or changes launch paths; true takes them.
using LaunchApproval = std::function<bool(const std::vector<LaunchPathChange>& changes)>;

// Import, Export and rename of profiles for the profile dialog and the command-line tool
// alike: the configuration (image and key action table) to and from profile files, and the
// kept profile in the profiles folder.
// An Import or Export that failed as the tool words it (or in `language`): what became of the
// configuration, then why, with the failure's kind.
Error TransferFailure(const ProfileOutcome& outcome, bool import,
                      Language language = Language::kEnglish);

class ProfileTransfer {
 public:
  // An export onto one of `own_files` is refused. Refusals are worded in `language`.
  ProfileTransfer(ConfiguratorState& state, ProfileStore& store, OwnFiles own_files = {},
                  Language language = Language::kEnglish)
      : state_(state), store_(store), own_files_(std::move(own_files)), language_(language) {}

  // What Import does with a file whose name gives no profile name (".hidden.bin"): the window's
  // file dialog picked its contents, so it keeps them as "Imported"; the tool, told a name,
  // refuses it.
  enum class UnusableName { kRefuse, kKeepAsImported };

  // The chosen file (binary, or JSON as read --json prints it) into the configuration (a short
  // binary file fills what it holds) and keymap.bin, then kept under its name. A file that cannot
  // be read, is refused as `apply` refuses it (ProfileIntake), or is refused for its name
  // changes nothing.
  ProfileOutcome Import(const std::filesystem::path& chosen,
                        UnusableName unusable = UnusableName::kRefuse);
  // Who decides on the launch paths an Import would add or change; without one such an Import
  // is refused. A profile whose launch paths are the configuration's own asks nothing.
  void ApproveLaunchesWith(LaunchApproval approve) { approve_launches_ = std::move(approve); }
  // The configuration into the chosen file (206,920 bytes), then kept under its name; never
  // onto one of the program's own files.
  ProfileOutcome Export(const std::filesystem::path& chosen);
  // The kept profile under the name typed into the list.
  ProfileOutcome Rename(const ProfileEntry& profile, std::string_view typed);

 private:
  Result<std::vector<std::uint8_t>> ReadProfileFile(const std::filesystem::path& chosen);

  ConfiguratorState& state_;
  ProfileStore& store_;
  OwnFiles own_files_;
  Language language_;
  LaunchApproval approve_launches_;
};

}  // namespace n240qx
