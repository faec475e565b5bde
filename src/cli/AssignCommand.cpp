#include <filesystem>
#include <iostream>

#include "app/AssignWords.h"
#include "app/ProfileLibrary.h"
#include "cli/ChangeReport.h"
#include "cli/Commands.h"
#include "cli/ShownKeys.h"
#include "keys/HostAction.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

using KeyChange = AssignWords::Change;

// Kept all the same: the file may be on a drive not mounted now, or made later; a profile may
// be saved later too.
void WarnOfMissingTargets(const std::vector<KeyChange>& changes, const ProfileLibrary& library) {
  for (const KeyChange& change : changes) {
    if (!IsLaunchKind(change.pending.pending_kind)) {
      continue;
    }
    if (const auto host = HostAction::FromPath(change.pending.launch_path)) {
      if (host->kind == HostActionKind::kApplyProfile && !library.Has(host->profile)) {
        std::cerr << "n240qx-ctl: warning: there is no stored profile " << host->profile
                  << " yet; the key applies nothing until there is (n240qx-ctl profiles save)\n";
      }
      continue;
    }
    const std::string path = Utf8FromUtf16(change.pending.launch_path);
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
      std::cerr << "n240qx-ctl: warning: " << path
                << " does not exist; the key launches nothing until it does\n";
    }
  }
}

// The assignment step for one key.
ExitCode Assign(CliSession& session, const KeyChange& change) {
  if (Status assigned = AssignWords::Assign(session.state(), change, AssignWords::KeymapSave::kNow);
      !assigned.ok()) {
    const bool file = assigned.error().code != ErrorCode::kInvalidArgument;
    return session.Fail(file ? ExitCode::kFileError : ExitCode::kUsage, assigned.error().message);
  }
  return ExitCode::kOk;
}

}  // namespace

// The key assignment dialog's OK without the dialog, once per KEY ACTION: the assignment step
// on the image and the key action table, keymap.bin saved, then one write of changes for all.
ExitCode RunAssignCommand(CliSession& session, const CliArguments& arguments) {
  ConfiguratorState& state = session.state();
  auto changes = AssignWords::Parse(state.key_names(), arguments.words);
  if (!changes.ok()) {
    return session.Fail(ExitCode::kUsage, changes.error().message);
  }
  WarnOfMissingTargets(*changes, ProfileLibrary(session.paths().LibraryFolder()));
  if (ExitCode loaded = session.LoadFiles(true); loaded != ExitCode::kOk) {
    return loaded;
  }
  if (Status macros = AssignWords::CheckMacros(state.stored_macros(), *changes); !macros.ok()) {
    return session.Fail(ExitCode::kUsage, macros.error().message);
  }
  if (ExitCode connected = session.Connect(); connected != ExitCode::kOk) {
    return connected;
  }
  if (ExitCode read = session.FullRead(); read != ExitCode::kOk) {
    return read;
  }
  const auto before = ShownKeys(state);
  for (const KeyChange& change : *changes) {
    if (ExitCode assigned = Assign(session, change); assigned != ExitCode::kOk) {
      return assigned;
    }
  }
  const auto after = ShownKeys(state);
  // A dry run has printed what it would send; the change it did not make has no report.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  ChangeReport report;
  report.AddSettings(before, after);
  report.Print(session.json());
  return ExitCode::kOk;
}

}  // namespace n240qx
