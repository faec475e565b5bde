#include "cli/WindowCommands.h"

#include <iostream>
#include <set>

#include "app/SettingChanges.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/WindowBusClient.h"
#include "macros/MacroWords.h"
#include "util/AtomicFile.h"
#include "util/JsonParser.h"

namespace n240qx {

namespace {

// What picks another keyboard or folder than the window's, or asks for no change at all,
// stays with the tool; so does a write without a backup, which the window's Apply never makes,
// and a command that lets a profile bring launch paths, which only the window's own dialogs may
// take from elsewhere.
bool MayGoThroughWindow(const CliArguments& arguments) {
  return !arguments.direct && !arguments.simulate && !arguments.data_dir && !arguments.wire_log &&
         !arguments.dry_run && !arguments.no_backup && !arguments.allow_launch;
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

bool ProfilesApply(const CliArguments& arguments) {
  return arguments.command == "profiles" && arguments.words.size() == 2 &&
         arguments.words[0] == "apply";
}

// The bus call that makes the command's write in the window, or nullopt for a command the
// window does not carry. The command itself checks its words first and names its mistake as a
// direct run does, so that a refused command reaches the window not at all.
std::optional<CliSession::WindowWrite> WriteOf(const CliArguments& arguments) {
  const std::vector<std::string>& words = arguments.words;
  if (arguments.command == "set" && EachSettingOnce(words)) {
    return [settings = SettingWordPairs(words)](WindowBusClient& window) {
      return window.Set(settings, false);
    };
  }
  if (arguments.command == "assign" && !words.empty()) {
    return
        [key = words.front(), actions = std::vector<std::string>(words.begin() + 1, words.end())](
            WindowBusClient& window) { return window.Assign(key, actions, false); };
  }
  if (arguments.command == "apply" && words.size() == 1) {
    // The file as it is: the window reads JSON or binary and checks it as `apply` does.
    return [file = words.front()](WindowBusClient& window) -> Status {
      const auto bytes = ReadFilePrefix(file, JsonParser::kMaxSize + 1);
      return bytes.ok() ? window.ApplyProfile(*bytes, false) : Status(bytes.error());
    };
  }
  if (ProfilesApply(arguments)) {
    return [name = words[1]](WindowBusClient& window) {
      return window.ApplyStoredProfile(name, false);
    };
  }
  if (arguments.command == "reset") {
    return [](WindowBusClient& window) { return window.FactoryReset(false); };
  }
  if (arguments.command == "restore" && words.size() == 1) {
    return
        [backup = words.front()](WindowBusClient& window) { return window.Restore(backup, false); };
  }
  return std::nullopt;
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

bool ReadCarried(const CliArguments& arguments) {
  return (arguments.command == "status" || (arguments.command == "read" && arguments.json)) &&
         arguments.words.empty();
}

// Commands that read the keyboard without writing it, or change the window's stores: they run
// as directly, on what the window reads and with its stores' changes made by the window.
bool RunsOnTheWindowsState(const CliArguments& arguments) {
  const std::vector<std::string>& words = arguments.words;
  const auto only = [&words](const char* word) { return words.size() == 1 && words[0] == word; };
  return arguments.command == "read" || arguments.command == "diagnose" ||
         (arguments.command == "keys" && only("--keyboard")) ||
         (arguments.command == "profiles" && words.size() == 2 && words[0] == "save") ||
         (arguments.command == "profile" && words.size() == 2 && words[0] == "import") ||
         (arguments.command == "macro" && !words.empty() && MacroWords::Changes(words[0]));
}

}  // namespace

// An import that takes launch paths cannot go through the window, whose own Import dialog alone
// may take them, and made on the files beside it the window's next save would undo it.
bool ImportTakingLaunches(const CliArguments& arguments) {
  CliArguments taking_none = arguments;
  taking_none.allow_launch = false;
  return arguments.allow_launch && arguments.command == "profile" &&
         MayGoThroughWindow(taking_none) && RunsOnTheWindowsState(arguments);
}

std::optional<ExitCode> RunThroughWindow(const CliArguments& arguments, RunCommand run) {
  if (ImportTakingLaunches(arguments) && WindowBusClient::Find()) {
    return ReportFailure(ExitCode::kUsage,
                         "the window is running: import a profile with launch paths in its "
                         "profile dialog, or close the window first",
                         arguments.json);
  }
  if (!MayGoThroughWindow(arguments)) {
    return std::nullopt;
  }
  const bool reads = ReadCarried(arguments);
  auto write = reads ? std::nullopt : WriteOf(arguments);
  if (!reads && !write && !RunsOnTheWindowsState(arguments)) {
    return std::nullopt;
  }
  auto window = WindowBusClient::Find();
  if (!window) {
    return std::nullopt;
  }
  if (reads) {
    return arguments.command == "status" ? StatusOf(*window, arguments)
                                         : ReadOf(*window, arguments);
  }
  auto session = CliSession::OpenThroughWindow(arguments, std::move(window),
                                               write ? std::move(*write) : nullptr);
  if (!session.ok()) {
    return ReportFailure(ExitCode::kUsage, session.error().message, arguments.json);
  }
  return run(**session, arguments);
}

}  // namespace n240qx
