#pragma once

#include <filesystem>

#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/ExitCode.h"
#include "cli/KeyboardStatus.h"

namespace n240qx {

// One function per command. Each checks its own words before it touches the keyboard, so a
// refused command sends nothing.
ExitCode RunStatusCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunReadCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunApplyCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunSetCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunResetCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunKeysCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunAssignCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunMacrosCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunMacroCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunProfileCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunProfilesCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunBackupsCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunRestoreCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunDiagnoseCommand(CliSession& session, const CliArguments& arguments);
ExitCode RunRulesCommand(CliSession& session, const CliArguments& arguments);

// `status`'s output, with the shipped version from `version_file`.
void PrintStatus(const KeyboardStatus& status, const std::filesystem::path& version_file,
                 bool json);

}  // namespace n240qx
