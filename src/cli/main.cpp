#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/StopSignals.h"

namespace n240qx {
namespace {

struct CommandEntry {
  std::string_view name;
  ExitCode (*run)(CliSession&, const CliArguments&);
};

constexpr CommandEntry kCommands[] = {
    {"status", RunStatusCommand}, {"read", RunReadCommand},     {"apply", RunApplyCommand},
    {"set", RunSetCommand},       {"reset", RunResetCommand},   {"keys", RunKeysCommand},
    {"assign", RunAssignCommand}, {"macros", RunMacrosCommand}, {"macro", RunMacroCommand},
};

int UsageError(const std::string& message) {
  std::cerr << "n240qx-ctl: " << message << "\n\n" << UsageText();
  return static_cast<int>(ExitCode::kUsage);
}

int Run(int argc, char** argv) {
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  auto arguments = ParseCliArguments(words);
  if (!arguments.ok()) {
    return UsageError(arguments.error().message);
  }
  if (arguments->help) {
    std::cout << UsageText();
    return static_cast<int>(ExitCode::kOk);
  }
  if (arguments->command.empty()) {
    return UsageError("no command given");
  }
  const CommandEntry* command = nullptr;
  for (const CommandEntry& entry : kCommands) {
    if (entry.name == arguments->command) {
      command = &entry;
    }
  }
  if (command == nullptr) {
    return UsageError("unknown command \"" + arguments->command + "\"");
  }
  StopSignals::Install();
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
