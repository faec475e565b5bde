#include <iostream>

#include "cli/AssignAction.h"
#include "cli/ChangeReport.h"
#include "cli/Commands.h"
#include "cli/KeyTargetText.h"
#include "image/ImageField.h"
#include "keys/KeyLookup.h"

namespace n240qx {

namespace {

std::string TargetOf(const ConfiguratorState& state, const KeyTableRow& row) {
  return KeyTargetText(state.image.Field(image_field::KeyMapEntry(row.slot)).first<4>(),
                       state.key_actions[row.index], state.key_names, state.stored_macros);
}

// The assignment step, the write of changes, then what changed.
ExitCode AssignAndWrite(CliSession& session, const KeyTableRow& row) {
  ConfiguratorState& state = session.state();
  const std::string name = KeyLookup(state.key_names).PickName(row);
  const std::string target_before = TargetOf(state, row);
  const bool enabled_before = state.image.KeyEnabled(row.slot);
  if (Status assigned = state.CompleteKeyAssignment(session.KeymapFileToSave()); !assigned.ok()) {
    const bool file = assigned.error().code != ErrorCode::kInvalidArgument;
    return session.Fail(file ? ExitCode::kFileError : ExitCode::kUsage, assigned.error().message);
  }
  if (row.slot == image_field::kWindowsKeySlot) {
    // The Windows key's bit is rewritten from the lock before every write; the lock is what
    // keeps it disabled.
    state.image.windows_key_lock() = state.image.KeyEnabled(row.slot) ? 0 : 1;
  }
  // A dry run has printed what it would send; the change it did not make has no report.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  ChangeReport report;
  const std::string target_after = TargetOf(state, row);
  report.Add(name, target_before, target_after, target_before, target_after);
  const bool enabled_after = state.image.KeyEnabled(row.slot);
  report.Add(name + " enabled", enabled_before ? "yes" : "no", enabled_after ? "yes" : "no",
             enabled_before, enabled_after);
  report.Print(session.json());
  return ExitCode::kOk;
}

}  // namespace

// The key assignment dialog's OK without the dialog: the assignment step on the image and the
// key action table, keymap.bin saved, then the write of changes.
ExitCode RunAssignCommand(CliSession& session, const CliArguments& arguments) {
  const auto& words = arguments.words;
  if (words.size() < 2) {
    return session.Fail(ExitCode::kUsage, "assign takes KEY ACTION");
  }
  ConfiguratorState& state = session.state();
  auto key = KeyLookup(state.key_names).Find(words[0]);
  if (!key.ok()) {
    return session.Fail(ExitCode::kUsage, key.error().message);
  }
  PendingAssignment& pending = state.pending;
  const std::span<const std::string> action(words.begin() + 1, words.end());
  if (Status parsed = ParseAssignAction(action, state.key_names, pending); !parsed.ok()) {
    return session.Fail(ExitCode::kUsage, parsed.error().message);
  }
  if (ExitCode loaded = session.LoadFiles(true); loaded != ExitCode::kOk) {
    return loaded;
  }
  if (pending.macro_index != PendingAssignment::kNoMacro &&
      static_cast<std::size_t>(pending.macro_index) >= state.stored_macros.UsedCount()) {
    return session.Fail(ExitCode::kUsage, "there is no stored macro " +
                                              std::to_string(pending.macro_index) + " (" +
                                              std::to_string(state.stored_macros.UsedCount()) +
                                              " stored; see n240qx-ctl macros)");
  }
  if (ExitCode connected = session.Connect(); connected != ExitCode::kOk) {
    return connected;
  }
  if (ExitCode read = session.FullRead(); read != ExitCode::kOk) {
    return read;
  }
  const KeyTableRow& row = **key;
  pending.current_key = row.index;
  pending.current_key_vk = row.vk;
  // Enable and disable say so; every other action leaves the key as enabled as it is.
  if (words[1] != "enable" && words[1] != "disable") {
    pending.key_enabled = state.image.KeyEnabled(row.slot);
  }
  return AssignAndWrite(session, row);
}

}  // namespace n240qx
