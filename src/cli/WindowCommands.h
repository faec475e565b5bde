#pragma once

#include <optional>

#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/ExitCode.h"

namespace n240qx {

using RunCommand = ExitCode (*)(CliSession& session, const CliArguments& arguments);

// While the window runs it owns the keyboard and the data folder's stores: the commands that
// touch either go through its session bus object, with the output and exit status of a direct
// run, and without waiting for the keyboard's lock. `status` and `read --json` are read from
// the window. The others are `run` on a session that takes the window's ReadProfile as the
// keyboard's read, so that the command's own checks and report are those of a direct run:
// `read` with its other forms, `keys --keyboard`, `profiles save` and `diagnose` only read
// (diagnose says that the window holds the keyboard instead of timing a read); `set`,
// `assign`, `apply`, `profiles apply`, `reset` and `restore` hand their write to the window's
// method of the same name; `macro new|set|delete|rename|loop` hands its words to the window's
// ChangeMacros and `profile import` its file to ImportProfile, so that the window's own copy of
// the stores takes the change and saves it.
// nullopt when this command line goes to the keyboard itself: --direct; an option that picks
// another keyboard or folder (--simulate, --data-dir, --wire-log); what the window's writes
// cannot do (--dry-run, --no-backup, --allow-launch, a colour slot set twice in one `set`);
// no window on the bus; and every other command, which touches neither keyboard nor the
// window's stores (`backups`, `keys`, `macros`, `macro show`, `rules`, `profiles list|show|...`)
// or has no method of its own on the bus (`profile list|export|rename`, which change no store
// the window keeps).
std::optional<ExitCode> RunThroughWindow(const CliArguments& arguments, RunCommand run);

}  // namespace n240qx
