#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/BackupStore.h"
#include "app/ConfiguratorState.h"
#include "app/ProfileLibrary.h"
#include "util/Result.h"

namespace n240qx {

// The writes a caller on the session bus asks the window for, each checked as far as it can be
// before the window is asked (so that a mistake is named whatever the window is doing) and then
// made on the state by the returned change, which the window's write of changes follows. The
// checks, refusals and their words are those of the tool's commands of the same name.
class KeyboardBusWrites {
 public:
  // Fails with the state left to the caller to restore.
  using Change = std::function<Status(ConfiguratorState& state)>;

  // A binary or JSON profile (`what` names it in a refusal): kBadData for one `apply` refuses,
  // and for launch paths it would bring, which only the window's own dialogs may take.
  static Result<Change> Profile(const KeyNameTable& names, std::vector<std::uint8_t> data,
                                const std::string& what);
  // A profile of the library by name: kInvalidArgument or kNotFound as `profiles apply`.
  static Result<Change> StoredProfile(const KeyNameTable& names, const ProfileLibrary& library,
                                      std::string_view name);
  // `assign`'s words, KEY ACTION [KEY ACTION ...]; keymap.bin follows the write's end.
  static Result<Change> Assign(const KeyNameTable& names, const std::vector<std::string>& words);
  // A backup by number or file name, as `restore` takes it.
  static Result<Change> Restore(BackupStore& store, std::string_view word);
  // The backups' file names, newest first, so that position N-1 is `restore N`.
  static Result<std::vector<std::string>> BackupNames(BackupStore& store);
};

}  // namespace n240qx
