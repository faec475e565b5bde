#include <filesystem>
#include <iostream>

#include "app/AssignWords.h"
#include "app/KeyTargetText.h"
#include "app/ProfileLibrary.h"
#include "cli/ChangeReport.h"
#include "cli/Commands.h"
#include "image/ImageField.h"
#include "keys/HostAction.h"
#include "keys/KeyLookup.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

using KeyChange = AssignWords::Change;

std::string TargetOf(const ConfiguratorState& state, const KeyTableRow& row) {
  return KeyTargetText(state.image.Field(image_field::KeyMapEntry(row.slot)).first<4>(),
                       state.key_actions[row.index], state.key_names, state.stored_macros);
}

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

// The assignment step for one key, what it changed added to `report`.
ExitCode Assign(CliSession& session, const KeyChange& change, ChangeReport& report) {
  ConfiguratorState& state = session.state();
  const KeyTableRow& row = *change.row;
  const std::string name = KeyLookup(state.key_names).PickName(row);
  const std::string target_before = TargetOf(state, row);
  const bool enabled_before = state.image.KeyEnabled(row.slot);
  if (Status assigned = AssignWords::Assign(state, change, session.KeymapFileToSave());
      !assigned.ok()) {
    const bool file = assigned.error().code != ErrorCode::kInvalidArgument;
    return session.Fail(file ? ExitCode::kFileError : ExitCode::kUsage, assigned.error().message);
  }
  const std::string target_after = TargetOf(state, row);
  report.Add(name, target_before, target_after, target_before, target_after);
  const bool enabled_after = state.image.KeyEnabled(row.slot);
  report.Add(name + " enabled", enabled_before ? "yes" : "no", enabled_after ? "yes" : "no",
             enabled_before, enabled_after);
  return ExitCode::kOk;
}

}  // namespace

// The key assignment dialog's OK without the dialog, once per KEY ACTION: the assignment step
// on the image and the key action table, keymap.bin saved, then one write of changes for all.
ExitCode RunAssignCommand(CliSession& session, const CliArguments& arguments) {
  ConfiguratorState& state = session.state();
  auto changes = AssignWords::Parse(state.key_names, arguments.words);
  if (!changes.ok()) {
    return session.Fail(ExitCode::kUsage, changes.error().message);
  }
  WarnOfMissingTargets(*changes, ProfileLibrary(session.paths().LibraryFolder()));
  if (ExitCode loaded = session.LoadFiles(true); loaded != ExitCode::kOk) {
    return loaded;
  }
  if (Status macros = AssignWords::CheckMacros(state.stored_macros, *changes); !macros.ok()) {
    return session.Fail(ExitCode::kUsage, macros.error().message);
  }
  if (ExitCode connected = session.Connect(); connected != ExitCode::kOk) {
    return connected;
  }
  if (ExitCode read = session.FullRead(); read != ExitCode::kOk) {
    return read;
  }
  ChangeReport report;
  for (const KeyChange& change : *changes) {
    if (ExitCode assigned = Assign(session, change, report); assigned != ExitCode::kOk) {
      return assigned;
    }
  }
  // A dry run has printed what it would send; the change it did not make has no report.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  report.Print(session.json());
  return ExitCode::kOk;
}

}  // namespace n240qx
