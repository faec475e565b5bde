#include "cli/WindowCommands.h"

#include <iostream>
#include <memory>
#include <set>

#include "app/SettingChanges.h"
#include "cli/ChangeReport.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/SettingsView.h"
#include "cli/WindowBusClient.h"
#include "config/ProfileJson.h"
#include "keys/KeyNameTable.h"
#include "keys/KeymapStore.h"

namespace n240qx {

namespace {

// What picks another keyboard or folder than the window's, or asks for no change at all,
// stays with the tool; so does a write without a backup, which the window's Apply never makes.
bool MayGoThroughWindow(const CliArguments& arguments) {
  return !arguments.direct && !arguments.simulate && !arguments.data_dir && !arguments.wire_log &&
         !arguments.dry_run && !arguments.no_backup;
}

// A setting named twice (two colour slots) does not fit the window's one value per name.
bool EachSettingOnce(const std::vector<std::string>& words) {
  std::set<std::string> names;
  for (const auto& [name, value] : SettingWordPairs(words)) {
    if (!names.insert(name).second) {
      return false;
    }
  }
  return true;
}

// A command that the window refuses or cannot parse is left to the direct run, which names
// its mistake without touching the keyboard.
bool Carried(const CliArguments& arguments) {
  if (arguments.command == "status" || (arguments.command == "read" && arguments.json)) {
    return arguments.words.empty();
  }
  return arguments.command == "set" && ParseSettingChanges(arguments.words).ok() &&
         EachSettingOnce(arguments.words);
}

ExitCode Failed(const Error& error, bool json) {
  return ReportFailure(ExitCodeForDeviceError(error), error.message, json);
}

ExitCode StatusOf(WindowBusClient& window, const CliArguments& arguments) {
  auto paths = CliSession::ResolvePaths(arguments);
  if (!paths.ok()) {
    return ReportFailure(ExitCode::kUsage, paths.error().message, arguments.json);
  }
  const auto status = window.ReadState();
  if (!status.ok()) {
    return Failed(status.error(), arguments.json);
  }
  PrintStatus(*status, paths->VersionFile(), arguments.json);
  if (!status->connected) {
    std::cerr << "n240qx-ctl: the window has no keyboard connected\n";
    return ExitCode::kNoKeyboard;
  }
  return ExitCode::kOk;
}

ExitCode ReadOf(WindowBusClient& window, const CliArguments& arguments) {
  const auto profile = window.ReadProfile();
  if (!profile.ok()) {
    return Failed(profile.error(), arguments.json);
  }
  std::cout << *profile << '\n';
  return ExitCode::kOk;
}

ExitCode SetOf(WindowBusClient& window, const CliArguments& arguments) {
  const auto changes = ParseSettingChanges(arguments.words);
  const auto profile = window.ReadProfile();
  if (!profile.ok()) {
    return Failed(profile.error(), arguments.json);
  }
  const auto bytes = profile_json::FromText(BuildKeyNameTable(), *profile);
  if (!bytes.ok()) {
    return Failed(bytes.error(), arguments.json);
  }
  auto image = std::make_unique<ConfigImage>();
  KeyActionTable actions;
  DecodeKeymapStore(*bytes, false, *image, actions);
  // The report is made as a direct run makes it: from what the keyboard held before.
  const auto before = ShownSettings(*image);
  for (const SettingChange& change : *changes) {
    change(*image);
  }
  if (Status written = window.Set(SettingWordPairs(arguments.words), false); !written.ok()) {
    return Failed(written.error(), arguments.json);
  }
  ChangeReport report;
  report.AddSettings(before, ShownSettings(*image));
  report.Print(arguments.json);
  return ExitCode::kOk;
}

}  // namespace

std::optional<ExitCode> RunThroughWindow(const CliArguments& arguments) {
  if (!MayGoThroughWindow(arguments) || !Carried(arguments)) {
    return std::nullopt;
  }
  const auto window = WindowBusClient::Find();
  if (!window) {
    return std::nullopt;
  }
  if (arguments.command == "status") {
    return StatusOf(*window, arguments);
  }
  return arguments.command == "read" ? ReadOf(*window, arguments) : SetOf(*window, arguments);
}

}  // namespace n240qx
