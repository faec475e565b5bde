#include <charconv>
#include <iostream>

#include "app/BackupStore.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "config/DiskProfileFiles.h"

namespace n240qx {

namespace {

std::optional<std::size_t> BackupNumber(const std::string& word) {
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
  if (error != std::errc() || end != word.data() + word.size() || number == 0) {
    return std::nullopt;
  }
  return number;
}

}  // namespace

// A backup goes back like a profile: the keyboard is read, the backup loaded over what it
// holds, and only the difference is written (itself backed up first, so a restore can be
// undone by the next restore).
ExitCode RunRestoreCommand(CliSession& session, const CliArguments& arguments) {
  const auto number = arguments.words.size() == 1 ? BackupNumber(arguments.words[0]) : std::nullopt;
  if (!number) {
    return session.Fail(ExitCode::kUsage,
                        "restore takes the number of one backup, 1 for the newest (see backups)");
  }
  DiskProfileFiles files;
  BackupStore store(session.paths().BackupsFolder(), files);
  const auto bytes = store.Load(*number);
  if (!bytes.ok()) {
    const bool usage = bytes.error().code == ErrorCode::kInvalidArgument;
    return session.Fail(usage ? ExitCode::kUsage : ExitCode::kFileError,
                        bytes.error().message + "; nothing was sent");
  }
  if (ExitCode read = session.ReadKeyboard(true); read != ExitCode::kOk) {
    return read;
  }
  // A backup holds what the keyboard reported, so its values go back whatever their range.
  if (Status loaded = session.state().LoadProfile(*bytes, *bytes); !loaded.ok()) {
    return session.Fail(ExitCode::kFileError, "cannot use backup " + std::to_string(*number) +
                                                  ": " + loaded.error().message +
                                                  "; nothing was sent");
  }
  // A dry run has printed what it would send.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  if (session.json()) {
    JsonWriter json;
    json.BeginObject();
    json.Key("restored");
    json.Number(static_cast<std::int64_t>(*number));
    json.EndObject();
    std::cout << json.text() << '\n';
  } else {
    std::cout << "restored backup " << *number << '\n';
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
