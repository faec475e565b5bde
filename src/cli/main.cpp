#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProgramVersion.h"
#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"

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
  if (arguments->version) {
    std::cout << "n240qx-ctl " << kProgramVersion << '\n';
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
  auto session = CliSession::Open(*arguments);
  if (!session.ok()) {
    std::cerr << "n240qx-ctl: " << session.error().message << '\n';
    return static_cast<int>(session.error().code == ErrorCode::kInvalidArgument
                                ? ExitCode::kUsage
                                : ExitCode::kFileError);
  }
  return static_cast<int>(command->run(**session, *arguments));
}

}  // namespace
}  // namespace n240qx

int main(int argc, char** argv) {
  return n240qx::Run(argc, argv);
}
