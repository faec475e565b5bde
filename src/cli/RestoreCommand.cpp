#include <iostream>

#include "app/BackupStore.h"
#include "cli/ChangeReport.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LaunchPathCheck.h"
#include "cli/SettingsView.h"
#include "cli/ShownKeys.h"
#include "config/DiskProfileFiles.h"

namespace n240qx {

namespace {

void PrintRestored(bool as_json, const BackupEntry& entry, const ChangeReport& report,
                   bool written) {
  const std::string file = entry.file.filename().string();
  if (as_json) {
    JsonWriter json;
    json.BeginObject();
    json.Key("restored");
    json.Number(static_cast<std::int64_t>(entry.number));
    json.Key("file");
    json.String(file);
    report.WriteJson(json);
    json.EndObject();
    std::cout << json.text() << '\n';
    return;
  }
  std::cout << "restored backup " << entry.number << " (" << file << ")\n";
  report.Print(false);
  if (written) {
    std::cout << "what the keyboard held before is backup 1 now; the numbers of the others "
                 "went up by one\n";
  }
}

}  // namespace

// A backup goes back like a profile: the keyboard is read, the backup loaded over what it
// holds, and only the difference is written (itself backed up first, so a restore can be
// undone by the next restore).
ExitCode RunRestoreCommand(CliSession& session, const CliArguments& arguments) {
  if (arguments.words.size() != 1) {
    return session.Fail(ExitCode::kUsage,
                        "restore takes the number or file name of one backup, 1 for the newest "
                        "(see backups)");
  }
  DiskProfileFiles files;
  BackupStore store(session.paths().BackupsFolder(), files);
  const auto entry = store.Choose(arguments.words[0]);
  const auto bytes =
      entry.ok() ? store.Load(*entry) : Result<std::vector<std::uint8_t>>(entry.error());
  if (!bytes.ok()) {
    const bool usage = bytes.error().code == ErrorCode::kInvalidArgument;
    return session.Fail(usage ? ExitCode::kUsage : ExitCode::kFileError,
                        bytes.error().message + "; nothing was sent");
  }
  if (ExitCode read = session.ReadKeyboard(true); read != ExitCode::kOk) {
    return read;
  }
  const auto before = ShownSettings(session.state().image());
  const auto keys_before = ShownKeys(session.state());
  const KeyActionTable actions_before = session.state().key_actions();
  // A backup holds what the keyboard reported, so its values go back whatever their range.
  if (Status loaded = session.state().LoadProfile(*bytes, *bytes); !loaded.ok()) {
    return session.Fail(ExitCode::kFileError, "cannot use backup " + std::to_string(entry->number) +
                                                  ": " + loaded.error().message +
                                                  "; nothing was sent");
  }
  // The backups folder takes files from anywhere, and keymap.bin may have moved on since.
  if (ExitCode launches = CheckLoadedLaunchPaths(session, actions_before,
                                                 "backup " + std::to_string(entry->number));
      launches != ExitCode::kOk) {
    return launches;
  }
  const bool changes = ChangeSummary::Compare(session.state()).Any();
  // A dry run has printed what it would send.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  ChangeReport report;
  report.AddSettings(before, ShownSettings(session.state().image()));
  report.AddSettings(keys_before, ShownKeys(session.state()));
  PrintRestored(session.json(), *entry, report, changes);
  return ExitCode::kOk;
}

}  // namespace n240qx
