#include "app/ConfiguratorState.h"

#include <algorithm>

#include "app/KeyAssignment.h"
#include "config/ProfileCheck.h"
#include "keys/KeyboardViewMarking.h"
#include "keys/KeymapStore.h"
#include "macros/MacroRecordBuilder.h"
#include "macros/MacroStoreFile.h"
#include "openrgb/OutsideLightingWrite.h"
#include "util/AtomicFile.h"
#include "util/StoreSize.h"

namespace n240qx {

ConfiguratorState::ConfiguratorState() {
  BuildKeyNameTable(key_names);
}

void ConfiguratorState::CopyToSnapshots() {
  CopyImageToSnapshot(image, snapshot);
  key_actions_snapshot = key_actions;
  edits.Reset(image, key_actions);
}

void ConfiguratorState::RestoreFromSnapshots() {
  RestoreImageFromSnapshot(image, snapshot);
  key_actions = key_actions_snapshot;
}

Status ConfiguratorState::LoadFiles(const std::filesystem::path& keymap_file,
                                    const std::filesystem::path& macro_file, bool create_missing) {
  std::error_code ignored;
  store_size_notes_.clear();
  if (create_missing || std::filesystem::exists(macro_file, ignored)) {
    LoadStore(macro_file, LoadMacroStore(macro_file, stored_macros));
    NoteStoreSize(macro_file, MacroStore::kByteSize);
  }
  if (create_missing || std::filesystem::exists(keymap_file, ignored)) {
    auto loaded = LoadKeymapStore(keymap_file, false, image, key_actions);
    LoadStore(keymap_file, loaded.ok() ? Status::Ok() : Status(loaded.error()));
    NoteStoreSize(keymap_file, kKeymapStoreSize);
  }
  RestoreKeyActionKeys(key_actions);
  CopyToSnapshots();
  if (stores.Any()) {
    return Error{ErrorCode::kIo, stores.Describe()};
  }
  return Status::Ok();
}

void ConfiguratorState::LoadStore(const std::filesystem::path& file, const Status& loaded) {
  if (loaded.ok()) {
    stores.Release(file);
  } else {
    stores.Hold(file, loaded.error().message);
  }
}

void ConfiguratorState::NoteStoreSize(const std::filesystem::path& file, std::size_t layout_size) {
  // A file that could not be loaded is reported as such already.
  if (stores.Held(file)) {
    return;
  }
  if (const auto note = StoreSizeNote(file, layout_size)) {
    store_size_notes_ += (store_size_notes_.empty() ? "" : "\n") + *note;
  }
}

Status ConfiguratorState::SaveKeymapStore(const std::filesystem::path& keymap_file) const {
  if (Status writable = stores.CheckWritable(keymap_file); !writable.ok()) {
    return writable;
  }
  return n240qx::SaveKeymapStore(keymap_file, image, key_actions);
}

Status ConfiguratorState::CompleteKeyAssignment(const std::filesystem::path& keymap_file) {
  KeyAssignment assignment(image, key_actions, customised, pending, key_names, stored_macros,
                           keymap_file, &stores);
  if (Status assigned = assignment.CompleteKeyAssignment(); !assigned.ok()) {
    return assigned;
  }
  // A dry run names no file: it leaves the data folder alone.
  return keymap_file.empty() ? Status::Ok() : SaveKeymapStore(keymap_file);
}

Status ConfiguratorState::SaveAppliedKeymapStore(const std::filesystem::path& keymap_file) const {
  if (Status writable = stores.CheckWritable(keymap_file); !writable.ok()) {
    return writable;
  }
  ConfigImage applied;
  applied.bytes() = snapshot.bytes();
  return n240qx::SaveKeymapStore(keymap_file, applied, key_actions_snapshot);
}

Status ConfiguratorState::Refresh(const std::filesystem::path& keymap_file) {
  RecomputeCustomisedKeyFlags(image, key_actions, customised);
  return SaveKeymapStore(keymap_file);
}

Status ConfiguratorState::RevertKeySettings(const std::filesystem::path& keymap_file) {
  key_actions = key_actions_snapshot;
  return Refresh(keymap_file);
}

Status ConfiguratorState::LoadProfile(std::span<const std::uint8_t> bytes,
                                      std::span<const std::uint8_t> recorded, Language language) {
  // A snapshot never filled by a read is all zeros: no keyboard reported those.
  const std::span<const std::uint8_t> held = snapshot.bytes();
  std::vector<std::span<const std::uint8_t>> reported{recorded};
  if (!ProfileImageIsBlank(held)) {
    reported.push_back(held);
  }
  // A profile is checked whole before any of it is taken, so a refused file changes nothing.
  if (const auto problems = CheckProfile(bytes, reported); !problems.empty()) {
    std::string message = language == Language::kGerman
                              ? "das Profil hat Werte, die die Tastatur nicht annimmt:"
                              : "the profile has values the keyboard does not take:";
    for (const ProfileProblem& problem : problems) {
      message += "\n  " + problem.Text(language);
    }
    return Error{ErrorCode::kBadData, std::move(message)};
  }
  // A blank configuration is what a keymap.bin written before any keyboard read holds; only
  // its key assignments mean anything.
  DecodeKeymapStore(bytes, ProfileImageIsBlank(bytes), image, key_actions);
  return Status::Ok();
}

void ConfiguratorState::KeepFirmware(const DeviceRead& read) {
  keyboard_writes = read.write_count;
  if (!read.firmware) {
    return;
  }
  if (auto version = KeyboardFirmwareVersion(read.firmware->major, read.firmware->minor)) {
    firmware = version;
  }
}

void ConfiguratorState::ApplyFullRead(const DeviceRead& read) {
  CopyDeviceRegions(read.image, image);
  CopyImageToSnapshot(image, snapshot);
  KeepFirmware(read);
  edits.Reset(image, key_actions);
}

void ConfiguratorState::ApplyReread(const DeviceRead& read) {
  CopyDeviceRegions(read.image, image);
  CopyDeviceRegions(read.image, snapshot);
  KeepFirmware(read);
  edits.Reset(image, key_actions);
}

void ConfiguratorState::RebaseOnReread(const DeviceRead& read,
                                       const std::filesystem::path& keymap_file) {
  for (const ImageField& field : DeviceRegions()) {
    const auto fresh = read.image.Field(field);
    const auto applied = snapshot.Field(field);
    auto mine = image.Field(field);
    for (std::size_t i = 0; i < mine.size(); ++i) {
      if (mine[i] == applied[i]) {
        mine[i] = fresh[i];
      }
    }
  }
  CopyDeviceRegions(read.image, snapshot);
  KeepFirmware(read);
  RebaseKeyActions(keymap_file);
  // The steps recorded so far go back to what the keyboard held before; undone they would
  // revert the other program's change. The unapplied edits become one step on the fresh view.
  ConfigImage applied = image;
  CopyDeviceRegions(snapshot, applied);
  edits.Reset(applied, key_actions_snapshot);
  edits.Record(image, key_actions);
}

void ConfiguratorState::RebaseKeyActions(const std::filesystem::path& keymap_file) {
  // A held file was never taken in, so it cannot say what changed since.
  if (keymap_file.empty() || stores.Held(keymap_file)) {
    return;
  }
  const auto bytes = ReadFilePrefix(keymap_file, kKeymapStoreSize);
  if (!bytes.ok()) {
    return;
  }
  KeyActionTable fresh = key_actions_snapshot;
  ConfigImage unused;
  DecodeKeymapStore(*bytes, true, unused, fresh);
  RestoreKeyActionKeys(fresh);
  for (std::size_t i = 0; i < KeyActionTable::kEntryCount; ++i) {
    if (key_actions[i] == key_actions_snapshot[i]) {
      key_actions[i] = fresh[i];
    }
  }
  key_actions_snapshot = std::move(fresh);
}

Status ConfiguratorState::ApplyWriteOutcome(const WriteOutcome& outcome) {
  if (!outcome.sent.empty()) {
    keyboard_writes = outcome.write_count;
  }
  const ConfigImage unwritten = image;
  std::ranges::copy(outcome.written.key_enable_mask(), image.key_enable_mask().begin());
  // The lock folded into the mask is the write's doing, not an edit to undo.
  edits.TakeOutsideChange(unwritten, image);
  if (outcome.status.ok()) {
    snapshot.bytes() = outcome.written.bytes();
    key_actions_snapshot = key_actions;
    return outcome.status;
  }
  for (const WriteRegion& region : outcome.acknowledged) {
    std::ranges::copy(outcome.written.Field(region.field), snapshot.Field(region.field).begin());
  }
  return outcome.status;
}

Status ConfiguratorState::ApplyFactoryReset(const DeviceRead& read,
                                            const std::filesystem::path& keymap_file) {
  CopyDeviceRegions(read.image, image);
  KeepFirmware(read);
  ResetKeySettings(image, key_actions);
  // The lock follows the mask again, so a lock left on from before cannot make the next write
  // send the mask.
  image.DeriveWindowsKeyLock();
  customised.Clear();
  CopyToSnapshots();
  stores.Release(keymap_file);
  return SaveKeymapStore(keymap_file);
}

SequenceEnd ConfiguratorState::FinishFullRead(const Result<DeviceRead>& read,
                                              const std::filesystem::path& keymap_file) {
  SequenceEnd end;
  if (read.ok()) {
    ApplyFullRead(*read);
  } else {
    end.device = read.error();
  }
  // Even without the keyboard's regions the store gets what start-up loaded, as it always has.
  end.store = Refresh(keymap_file);
  return end;
}

SequenceEnd ConfiguratorState::FinishWrite(const WriteOutcome& outcome,
                                           const std::filesystem::path& keymap_file) {
  SequenceEnd end{ApplyWriteOutcome(outcome)};
  if (!end.device.ok()) {
    return end;
  }
  // The worker wrote a copy; the only change the write makes to the image is the lock folded
  // into the mask, and the snapshot then holds what the keyboard holds.
  image.ApplyWindowsKeyLock();
  CopyToSnapshots();
  end.store = SaveKeymapStore(keymap_file);
  return end;
}

SequenceEnd ConfiguratorState::FinishOutsideLightingWrite(const WriteOutcome& outcome) {
  if (!outcome.sent.empty()) {
    keyboard_writes = outcome.write_count;
  }
  const ConfigImage before = image;
  SettleOutsideLightingWrite(outcome, image, snapshot);
  // The keyboard's doing, not an edit of the user's to undo.
  edits.TakeOutsideChange(before, image);
  return {outcome.status};
}

SequenceEnd ConfiguratorState::FinishFactoryReset(const Result<DeviceRead>& read,
                                                  const std::filesystem::path& keymap_file) {
  if (!read.ok()) {
    return {read.error()};
  }
  return {Status::Ok(), ApplyFactoryReset(*read, keymap_file)};
}

SequenceEnd ConfiguratorState::FinishArrival(const Result<DeviceRead>& read,
                                             bool reset_after_update, bool listening,
                                             const std::filesystem::path& keymap_file) {
  if (!read.ok()) {
    return {read.error()};
  }
  if (reset_after_update) {
    return FinishFactoryReset(read, keymap_file);
  }
  ApplyReread(*read);
  if (!listening) {
    // Without the event interface the refresh that rewrites keymap.bin waits for the next
    // arrival; the marks still follow the key map just read.
    RecomputeCustomisedKeyFlags(image, key_actions, customised);
    return {Status::Ok(), Status::Ok()};
  }
  return {Status::Ok(), Refresh(keymap_file)};
}

Status ConfiguratorState::CommitMacros(const std::filesystem::path& keymap_file,
                                       const std::filesystem::path& macro_file) {
  // Macros that were never loaded cannot be edited on purpose: the dialog showed an empty list.
  if (Status writable = stores.CheckWritable(macro_file); !writable.ok()) {
    return writable;
  }
  const ConfigImage before = image;
  BuildMacroRecords(stored_macros, image);
  // The records follow MacroDefine.bin, which an undo could not take back with them.
  edits.TakeOutsideChange(before, image);
  Status keymap = SaveKeymapStore(keymap_file);
  Status macros = SaveMacroStore(macro_file, stored_macros);
  return keymap.ok() ? macros : keymap;
}

std::optional<SliderMove> ConfiguratorState::ApplyKeyboardLightingChange(std::uint8_t sub_code,
                                                                         std::uint8_t value) {
  const ConfigImage before = image;
  auto move = KeyboardLightingChange::Apply(sub_code, value, image, snapshot, repaint);
  // Made on the keyboard: an undo must neither revert it nor count it as the user's.
  edits.TakeOutsideChange(before, image);
  return move;
}

}  // namespace n240qx
