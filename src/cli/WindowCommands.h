#pragma once

#include <optional>

#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/ExitCode.h"

namespace n240qx {

using RunCommand = ExitCode (*)(CliSession& session, const CliArguments& arguments);

// While the window runs it owns the keyboard: the commands it carries go through its session
// bus object, with the output and exit status of a direct run, and without waiting for the
// keyboard's lock. `status` and `read --json` are read from the window; `set`, `assign`,
// `apply`, `profiles apply`, `reset` and `restore` are `run` on a session that takes the
// window's ReadProfile as the keyboard's read (so the command's own checks and report are
// those of a direct run) and hands its write to the window's method of the same name.
// nullopt when this command line goes to the keyboard itself: --direct; an option that picks
// another keyboard or folder (--simulate, --data-dir, --wire-log); what the window's writes
// cannot do (--dry-run, --no-backup, --allow-launch, a colour slot set twice in one `set`);
// no window on the bus; and every other command, which either touches no keyboard (`backups`,
// `keys`, `macros`, `rules`, `profiles list|show|save|...`: the files alone) or has no method of
// its own on the bus (`macro`, `profile`, `diagnose`, `read` without --json).
std::optional<ExitCode> RunThroughWindow(const CliArguments& arguments, RunCommand run);

}  // namespace n240qx
