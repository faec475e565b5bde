#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProgramVersion.h"
#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "cli/StopSignals.h"
#include "cli/WindowCommands.h"
#include "util/NearestNames.h"

namespace n240qx {
namespace {

struct CommandEntry {
  std::string_view name;
  ExitCode (*run)(CliSession&, const CliArguments&);
};

constexpr CommandEntry kCommands[] = {
    {"status", RunStatusCommand},     {"read", RunReadCommand},
    {"apply", RunApplyCommand},       {"set", RunSetCommand},
    {"reset", RunResetCommand},       {"keys", RunKeysCommand},
    {"assign", RunAssignCommand},     {"macros", RunMacrosCommand},
    {"macro", RunMacroCommand},       {"profile", RunProfileCommand},
    {"profiles", RunProfilesCommand}, {"backups", RunBackupsCommand},
    {"restore", RunRestoreCommand},   {"diagnose", RunDiagnoseCommand},
    {"rules", RunRulesCommand},
};

std::vector<std::string_view> CommandNames() {
  std::vector<std::string_view> names;
  for (const CommandEntry& entry : kCommands) {
    names.push_back(entry.name);
  }
  names.push_back("help");
  return names;
}

std::string FullUsage() {
  return UsageText(CommandNames());
}

// ": did you mean status?" after a mistyped command; nothing when no command is near.
std::string MeantCommand(std::string_view typed) {
  const auto meant = NearestNames(typed, CommandNames());
  return meant.empty() ? "" : ": " + DidYouMean(meant);
}

const CommandEntry* FindCommand(std::string_view name) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.name == name) {
      return &entry;
    }
  }
  return nullptr;
}

int UsageError(const std::string& message, bool json = false) {
  std::cerr << "n240qx-ctl: " << message << "\n(n240qx-ctl --help lists every command)\n";
  if (json) {
    std::cout << FailureJson(message, ExitCode::kUsage) << '\n';
  }
  return static_cast<int>(ExitCode::kUsage);
}

// "help", "help COMMAND", "--help", "COMMAND --help".
int PrintHelp(const std::string& command) {
  if (command.empty()) {
    std::cout << FullUsage();
    return static_cast<int>(ExitCode::kOk);
  }
  if (command == "functions") {
    std::cout << FunctionsUsage();
    return static_cast<int>(ExitCode::kOk);
  }
  const CommandHelp* help = FindCommandHelp(command);
  if (help == nullptr) {
    return UsageError("no command \"" + command + "\"" + MeantCommand(command));
  }
  std::cout << CommandUsage(*help);
  return static_cast<int>(ExitCode::kOk);
}

int UnknownCommand(const CliArguments& arguments) {
  std::string message = "unknown command \"" + arguments.command + "\"";
  if (arguments.word_after_bare_simulate == arguments.command) {
    message += "; a state file goes after an '=': --simulate=" + arguments.command;
  } else {
    message += MeantCommand(arguments.command);
  }
  return UsageError(message, arguments.json);
}

int Run(int argc, char** argv) {
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  auto arguments = ParseCliArguments(words);
  if (!arguments.ok()) {
    return UsageError(arguments.error().message);
  }
  if (arguments->command == "help") {
    return arguments->words.size() > 1
               ? UsageError("help takes one command")
               : PrintHelp(arguments->words.empty() ? std::string() : arguments->words.front());
  }
  if (arguments->help) {
    return PrintHelp(arguments->command);
  }
  if (arguments->version) {
    std::cout << "n240qx-ctl " << kProgramVersion << '\n';
    return static_cast<int>(ExitCode::kOk);
  }
  if (arguments->command.empty()) {
    return UsageError("no command given", arguments->json);
  }
  const CommandEntry* command = FindCommand(arguments->command);
  if (command == nullptr) {
    return UnknownCommand(*arguments);
  }
  if (const CommandHelp* help = FindCommandHelp(command->name)) {
    for (const std::string& option : arguments->command_options) {
      if (LooksLikeOption(option) && !TakesOption(*help, option)) {
        return UsageError(option + " is not an option of " + std::string(command->name) +
                              "; usage: " + std::string(help->synopsis),
                          arguments->json);
      }
    }
  }
  StopSignals::Install();
  if (const auto through_window = RunThroughWindow(*arguments, command->run)) {
    return static_cast<int>(*through_window);
  }
  auto session = CliSession::Open(*arguments);
  if (!session.ok()) {
    std::cerr << "n240qx-ctl: " << session.error().message << '\n';
    return static_cast<int>(session.error().code == ErrorCode::kInvalidArgument
                                ? ExitCode::kUsage
                                : ExitCode::kFileError);
  }
  const ExitCode code = command->run(**session, *arguments);
  if (const int signal_number = StopSignals::Received(); signal_number != 0) {
    std::cerr << "n240qx-ctl: stopped by signal " << signal_number << '\n';
    return 128 + signal_number;
  }
  return static_cast<int>(code);
}

}  // namespace
}  // namespace n240qx

int main(int argc, char** argv) {
  return n240qx::Run(argc, argv);
}
