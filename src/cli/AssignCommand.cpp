#include <filesystem>
#include <iostream>

#include "app/AssignAction.h"
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

// One KEY ACTION of the command line, checked before the keyboard is touched.
struct KeyChange {
  const KeyTableRow* row = nullptr;
  PendingAssignment pending;
  bool sets_enabled = false;  // enable and disable; every other action keeps the key's state
};

std::string TargetOf(const ConfiguratorState& state, const KeyTableRow& row) {
  return KeyTargetText(state.image.Field(image_field::KeyMapEntry(row.slot)).first<4>(),
                       state.key_actions[row.index], state.key_names, state.stored_macros);
}

Result<KeyChange> ParseKeyChange(const ConfiguratorState& state,
                                 std::span<const std::string> words) {
  if (words.size() < 2) {
    return Error{ErrorCode::kInvalidArgument, "assign takes KEY ACTION [KEY ACTION ...]"};
  }
  auto key = KeyLookup(state.key_names).Find(words[0]);
  if (!key.ok()) {
    return key.error();
  }
  KeyChange change{*key, {}, words[1] == "enable" || words[1] == "disable"};
  if (Status parsed = ParseAssignAction(words.subspan(1), state.key_names, change.pending);
      !parsed.ok()) {
    return parsed.error();
  }
  change.pending.current_key = change.row->index;
  change.pending.current_key_vk = change.row->vk;
  return change;
}

Result<std::vector<KeyChange>> ParseKeyChanges(const ConfiguratorState& state,
                                               std::span<const std::string> words) {
  std::vector<KeyChange> changes;
  for (const auto group : SplitAssignChanges(words)) {
    auto change = ParseKeyChange(state, group);
    if (!change.ok()) {
      return change.error();
    }
    for (const KeyChange& earlier : changes) {
      if (earlier.row == change->row) {
        return Error{ErrorCode::kInvalidArgument, group[0] + " is assigned twice"};
      }
    }
    changes.push_back(std::move(*change));
  }
  return changes;
}

Status CheckMacros(const ConfiguratorState& state, const std::vector<KeyChange>& changes) {
  const std::size_t stored = state.stored_macros.UsedCount();
  for (const KeyChange& change : changes) {
    const int macro = change.pending.macro_index;
    if (macro != PendingAssignment::kNoMacro && static_cast<std::size_t>(macro) >= stored) {
      return Error{ErrorCode::kInvalidArgument,
                   "there is no stored macro " + std::to_string(macro) + " (" +
                       std::to_string(stored) + " stored; see n240qx-ctl macros)"};
    }
  }
  return Status::Ok();
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
  state.pending = change.pending;
  if (!change.sets_enabled) {
    state.pending.key_enabled = enabled_before;
  }
  if (Status assigned = state.CompleteKeyAssignment(session.KeymapFileToSave()); !assigned.ok()) {
    const bool file = assigned.error().code != ErrorCode::kInvalidArgument;
    return session.Fail(file ? ExitCode::kFileError : ExitCode::kUsage, assigned.error().message);
  }
  if (row.slot == image_field::kWindowsKeySlot) {
    // The Windows key's bit is rewritten from the lock before every write; the lock is what
    // keeps it disabled.
    state.image.windows_key_lock() = state.image.KeyEnabled(row.slot) ? 0 : 1;
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
  auto changes = ParseKeyChanges(state, arguments.words);
  if (!changes.ok()) {
    return session.Fail(ExitCode::kUsage, changes.error().message);
  }
  WarnOfMissingTargets(*changes, ProfileLibrary(session.paths().LibraryFolder()));
  if (ExitCode loaded = session.LoadFiles(true); loaded != ExitCode::kOk) {
    return loaded;
  }
  if (Status macros = CheckMacros(state, *changes); !macros.ok()) {
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
