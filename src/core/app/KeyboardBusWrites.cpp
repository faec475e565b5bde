#include "app/KeyboardBusWrites.h"

#include "app/AssignWords.h"
#include "config/ProfileIntake.h"
#include "keys/LaunchPathChange.h"
#include "util/AtomicFile.h"
#include "util/JsonParser.h"

namespace n240qx {

namespace {

Error Refusal(const std::string& what, const std::string& why) {
  return Error{ErrorCode::kBadData, "refused " + what + ", nothing was sent" + why};
}

// `recorded`: a backup's own bytes, whose values go back whatever their range, as `restore`
// takes them; anything else is refused as `apply` refuses it.
KeyboardBusWrites::Change Load(std::vector<std::uint8_t> bytes, std::string what, bool recorded) {
  return [bytes = std::move(bytes), what = std::move(what),
          recorded](ConfiguratorState& state) -> Status {
    const KeyActionTable before = state.key_actions();
    const auto own =
        recorded ? std::span<const std::uint8_t>(bytes) : std::span<const std::uint8_t>();
    if (Status loaded = state.LoadProfile(bytes, own); !loaded.ok()) {
      return recorded
                 ? Error{ErrorCode::kBadData, "cannot use " + what + ": " + loaded.error().message +
                                                  "; nothing was sent"}
                 : Refusal(what, ": " + loaded.error().message);
    }
    return RefuseNewLaunchPaths(before, state.key_actions(), what);
  };
}

}  // namespace

Result<KeyboardBusWrites::Change> KeyboardBusWrites::Profile(const KeyNameTable& names,
                                                             std::vector<std::uint8_t> data,
                                                             const std::string& what) {
  auto profile = ProfileIntake::Check(names, std::move(data));
  if (!profile.ok()) {
    return Refusal(what, profile.error().message);
  }
  return Load(std::move(*profile), what, false);
}

Result<KeyboardBusWrites::Change> KeyboardBusWrites::StoredProfile(const KeyNameTable& names,
                                                                   const ProfileLibrary& library,
                                                                   std::string_view name) {
  if (Status existing = library.CheckExisting(name); !existing.ok()) {
    return existing.error();
  }
  const std::filesystem::path file = library.FileOf(name);
  auto bytes = ReadFilePrefix(file, JsonParser::kMaxSize + 1);
  if (!bytes.ok()) {
    return Error{ErrorCode::kBadData, "cannot read the profile: " + bytes.error().message};
  }
  return Profile(names, std::move(*bytes), file.string());
}

Result<KeyboardBusWrites::Change> KeyboardBusWrites::Assign(const KeyNameTable& names,
                                                            const std::vector<std::string>& words) {
  auto changes = AssignWords::Parse(names, words);
  if (!changes.ok()) {
    return changes.error();
  }
  return Change([changes = std::move(*changes)](ConfiguratorState& state) -> Status {
    if (Status macros = AssignWords::CheckMacros(state.stored_macros(), changes); !macros.ok()) {
      return macros;
    }
    for (const AssignWords::Change& change : changes) {
      if (Status assigned =
              AssignWords::Assign(state, change, AssignWords::KeymapSave::kWithTheWrite);
          !assigned.ok()) {
        return assigned;
      }
    }
    return Status::Ok();
  });
}

Result<KeyboardBusWrites::Change> KeyboardBusWrites::Restore(BackupStore& store,
                                                             std::string_view word) {
  const auto entry = store.Choose(word);
  const auto bytes =
      entry.ok() ? store.Load(*entry) : Result<std::vector<std::uint8_t>>(entry.error());
  if (!bytes.ok()) {
    return Error{bytes.error().code, bytes.error().message + "; nothing was sent"};
  }
  return Load(*bytes, "backup " + std::to_string(entry->number), true);
}

Result<std::vector<std::string>> KeyboardBusWrites::BackupNames(BackupStore& store) {
  const auto backups = store.List();
  if (!backups.ok()) {
    return backups.error();
  }
  std::vector<std::string> names;
  for (const BackupEntry& entry : *backups) {
    names.push_back(entry.file.filename().string());
  }
  return names;
}

}  // namespace n240qx
