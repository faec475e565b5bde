#include "app/ConfiguratorState.h"

#include <algorithm>

#include "app/KeyAssignment.h"
#include "config/ProfileCheck.h"
#include "keys/HostActionKeys.h"
#include "keys/KeyboardViewMarking.h"
#include "keys/KeymapStore.h"
#include "macros/MacroRecordBuilder.h"
#include "macros/MacroStoreFile.h"
#include "openrgb/OutsideLightingWrite.h"
#include "util/AtomicFile.h"
#include "util/StoreSize.h"

namespace n240qx {

ConfiguratorState::ConfiguratorState() {
  BuildKeyNameTable(key_names_);
}

void ConfiguratorState::CopyToSnapshots() {
  CopyImageToSnapshot(image_, snapshot_);
  key_actions_snapshot_ = key_actions_;
  edits_.Reset(image_, key_actions_);
}

void ConfiguratorState::RestoreFromSnapshots() {
  RestoreImageFromSnapshot(image_, snapshot_);
  key_actions_ = key_actions_snapshot_;
}

Status ConfiguratorState::LoadFiles(bool create_missing, Language language) {
  store_language_ = language;
  const std::filesystem::path& keymap_file = store_paths_.keymap_file();
  const std::filesystem::path& macro_file = store_paths_.macro_file();
  std::error_code ignored;
  store_size_notes_.clear();
  if (create_missing || std::filesystem::exists(macro_file, ignored)) {
    LoadStore(macro_file, LoadMacroStore(macro_file, stored_macros_, language));
    NoteStoreSize(macro_file, MacroStore::kByteSize);
  }
  if (create_missing || std::filesystem::exists(keymap_file, ignored)) {
    auto loaded = LoadKeymapStore(keymap_file, false, image_, key_actions_, language);
    LoadStore(keymap_file, loaded.ok() ? Status::Ok() : Status(loaded.error()));
    NoteStoreSize(keymap_file, kKeymapStoreSize);
  }
  RestoreKeyActionKeys(key_actions_);
  CopyToSnapshots();
  if (stores_.Any()) {
    return Error{ErrorCode::kIo, stores_.Describe()};
  }
  return Status::Ok();
}

void ConfiguratorState::LoadStore(const std::filesystem::path& file, const Status& loaded) {
  if (loaded.ok()) {
    stores_.Release(file);
  } else {
    stores_.Hold(file, loaded.error().message, store_language_);
  }
}

void ConfiguratorState::NoteStoreSize(const std::filesystem::path& file, std::size_t layout_size) {
  // A file that could not be loaded is reported as such already.
  if (stores_.Held(file)) {
    return;
  }
  if (const auto note = StoreSizeNote(file, layout_size, store_language_)) {
    store_size_notes_ += (store_size_notes_.empty() ? "" : "\n") + *note;
  }
}

KeyAssignment ConfiguratorState::BindKeyAssignment() {
  return {image_,
          key_actions_,
          customised_,
          pending_,
          key_names_,
          stored_macros_,
          store_paths_.keymap_file(),
          &stores_};
}

Status ConfiguratorState::SaveKeymapStore() const {
  return SaveKeymapStoreOf(image_, key_actions_);
}

Status ConfiguratorState::SaveKeymapStoreOf(const ConfigImage& image,
                                            const KeyActionTable& key_actions) const {
  // Read-only stores leave the data folder alone.
  if (!store_paths_.saves()) {
    return Status::Ok();
  }
  const std::filesystem::path& keymap_file = store_paths_.keymap_file();
  if (Status writable = stores_.CheckWritable(keymap_file); !writable.ok()) {
    return writable;
  }
  return n240qx::SaveKeymapStore(keymap_file, image, key_actions, store_language_);
}

Status ConfiguratorState::CompleteKeyAssignment() {
  if (Status assigned = AssignPending(); !assigned.ok()) {
    return assigned;
  }
  return SaveKeymapStore();
}

Status ConfiguratorState::AssignPending() {
  return BindKeyAssignment().CompleteKeyAssignment();
}

Status ConfiguratorState::SaveAppliedKeymapStore() const {
  ConfigImage applied;
  applied.bytes() = snapshot_.bytes();
  return SaveKeymapStoreOf(applied, key_actions_snapshot_);
}

Status ConfiguratorState::Refresh() {
  RecomputeCustomisedKeyFlags(image_, key_actions_, customised_);
  return SaveKeymapStore();
}

Status ConfiguratorState::RevertKeySettings() {
  key_actions_ = key_actions_snapshot_;
  return Refresh();
}

Status ConfiguratorState::LoadProfile(std::span<const std::uint8_t> bytes,
                                      std::span<const std::uint8_t> recorded, Language language) {
  // A snapshot never filled by a read is all zeros: no keyboard reported those.
  const std::span<const std::uint8_t> held = snapshot_.bytes();
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
  DecodeKeymapStore(bytes, ProfileImageIsBlank(bytes), image_, key_actions_);
  return Status::Ok();
}

void ConfiguratorState::KeepFirmware(const DeviceRead& read) {
  keyboard_writes_ = read.write_count;
  if (!read.firmware) {
    return;
  }
  if (auto version = KeyboardFirmwareVersion(read.firmware->major, read.firmware->minor)) {
    firmware_ = version;
  }
}

void ConfiguratorState::ApplyFullRead(const DeviceRead& read) {
  CopyDeviceRegions(read.image, image_);
  CopyImageToSnapshot(image_, snapshot_);
  KeepFirmware(read);
  edits_.Reset(image_, key_actions_);
}

void ConfiguratorState::ApplyReread(const DeviceRead& read) {
  CopyDeviceRegions(read.image, image_);
  CopyDeviceRegions(read.image, snapshot_);
  KeepFirmware(read);
  edits_.Reset(image_, key_actions_);
}

void ConfiguratorState::RebaseOnReread(const DeviceRead& read) {
  for (const ImageField& field : DeviceRegions()) {
    const auto fresh = read.image.Field(field);
    const auto applied = snapshot_.Field(field);
    auto mine = image_.Field(field);
    for (std::size_t i = 0; i < mine.size(); ++i) {
      if (mine[i] == applied[i]) {
        mine[i] = fresh[i];
      }
    }
  }
  CopyDeviceRegions(read.image, snapshot_);
  KeepFirmware(read);
  RebaseKeyActions();
  // The steps recorded so far go back to what the keyboard held before; undone they would
  // revert the other program's change. The unapplied edits become one step on the fresh view.
  ConfigImage applied = image_;
  CopyDeviceRegions(snapshot_, applied);
  edits_.Reset(applied, key_actions_snapshot_);
  edits_.Record(image_, key_actions_);
}

void ConfiguratorState::RebaseKeyActions() {
  const std::filesystem::path& keymap_file = store_paths_.keymap_file();
  // A held file was never taken in, so it cannot say what changed since; stores that are not
  // saved have no save for the rebase to keep a launch path through.
  if (!store_paths_.saves() || stores_.Held(keymap_file)) {
    return;
  }
  const auto bytes = ReadFilePrefix(keymap_file, kKeymapStoreSize);
  if (!bytes.ok()) {
    return;
  }
  KeyActionTable fresh = key_actions_snapshot_;
  ConfigImage unused;
  DecodeKeymapStore(*bytes, true, unused, fresh);
  RestoreKeyActionKeys(fresh);
  for (std::size_t i = 0; i < KeyActionTable::kEntryCount; ++i) {
    if (key_actions_[i] == key_actions_snapshot_[i]) {
      key_actions_[i] = fresh[i];
    }
  }
  key_actions_snapshot_ = std::move(fresh);
}

Status ConfiguratorState::ApplyWriteOutcome(const WriteOutcome& outcome) {
  if (!outcome.sent.empty()) {
    keyboard_writes_ = outcome.write_count;
  }
  const ConfigImage unwritten = image_;
  std::ranges::copy(outcome.written.key_enable_mask(), image_.key_enable_mask().begin());
  // The lock folded into the mask is the write's doing, not an edit to undo.
  edits_.TakeOutsideChange(unwritten, image_);
  if (outcome.status.ok()) {
    snapshot_.bytes() = outcome.written.bytes();
    key_actions_snapshot_ = key_actions_;
    return outcome.status;
  }
  for (const WriteRegion& region : outcome.acknowledged) {
    std::ranges::copy(outcome.written.Field(region.field), snapshot_.Field(region.field).begin());
  }
  return outcome.status;
}

Status ConfiguratorState::ApplyFactoryReset(const DeviceRead& read) {
  CopyDeviceRegions(read.image, image_);
  KeepFirmware(read);
  ResetKeySettings(image_, key_actions_);
  // The lock follows the mask again, so a lock left on from before cannot make the next write
  // send the mask.
  image_.DeriveWindowsKeyLock();
  customised_.Clear();
  CopyToSnapshots();
  stores_.Release(store_paths_.keymap_file());
  return SaveKeymapStore();
}

SequenceEnd ConfiguratorState::FinishFullRead(const Result<DeviceRead>& read) {
  SequenceEnd end;
  if (read.ok()) {
    ApplyFullRead(*read);
  } else {
    end.device = read.error();
  }
  // Even without the keyboard's regions the store gets what start-up loaded, as it always has.
  end.store = Refresh();
  return end;
}

SequenceEnd ConfiguratorState::FinishWrite(const WriteOutcome& outcome) {
  SequenceEnd end{ApplyWriteOutcome(outcome)};
  if (!end.device.ok()) {
    return end;
  }
  // The worker wrote a copy; the only change the write makes to the image is the lock folded
  // into the mask, and the snapshot then holds what the keyboard holds.
  image_.ApplyWindowsKeyLock();
  CopyToSnapshots();
  end.store = SaveKeymapStore();
  return end;
}

SequenceEnd ConfiguratorState::FinishOutsideLightingWrite(const WriteOutcome& outcome) {
  if (!outcome.sent.empty()) {
    keyboard_writes_ = outcome.write_count;
  }
  const ConfigImage before = image_;
  SettleOutsideLightingWrite(outcome, image_, snapshot_);
  // The keyboard's doing, not an edit of the user's to undo.
  edits_.TakeOutsideChange(before, image_);
  return {outcome.status};
}

SequenceEnd ConfiguratorState::FinishFactoryReset(const Result<DeviceRead>& read) {
  if (!read.ok()) {
    return {read.error()};
  }
  return {Status::Ok(), ApplyFactoryReset(*read)};
}

SequenceEnd ConfiguratorState::FinishArrival(const Result<DeviceRead>& read,
                                             bool reset_after_update, bool listening) {
  if (!read.ok()) {
    return {read.error()};
  }
  if (reset_after_update) {
    return FinishFactoryReset(read);
  }
  ApplyReread(*read);
  if (!listening) {
    // Without the event interface the refresh that rewrites keymap.bin waits for the next
    // arrival; the marks still follow the key map just read.
    RecomputeCustomisedKeyFlags(image_, key_actions_, customised_);
    return {Status::Ok(), Status::Ok()};
  }
  return {Status::Ok(), Refresh()};
}

Status ConfiguratorState::CommitMacros() {
  const std::filesystem::path& macro_file = store_paths_.macro_file();
  // Macros that were never loaded cannot be edited on purpose: the dialog showed an empty list.
  if (Status writable = stores_.CheckWritable(macro_file); !writable.ok()) {
    return writable;
  }
  RebuildMacroRecords();
  Status keymap = SaveKeymapStore();
  Status macros = store_paths_.saves() ? SaveMacroStore(macro_file, stored_macros_, store_language_)
                                       : Status::Ok();
  return keymap.ok() ? macros : keymap;
}

void ConfiguratorState::RebuildMacroRecords() {
  const ConfigImage before = image_;
  BuildMacroRecords(stored_macros_, image_);
  edits_.TakeOutsideChange(before, image_);
}

void ConfiguratorState::TakeMacroEdits(const MacroStore& edited) {
  stored_macros_ = edited;
}

void ConfiguratorState::TakeKeyboardProfile(std::span<const std::uint8_t> bytes,
                                            const std::optional<FirmwareVersion>& firmware) {
  DecodeKeymapStore(bytes, false, image_, key_actions_);
  CopyToSnapshots();
  firmware_ = firmware;
}

void ConfiguratorState::PutBackSettings(const ConfigImage& image,
                                        const KeyActionTable& key_actions) {
  image_ = image;
  key_actions_ = key_actions;
}

void ConfiguratorState::KeepHostActionKeys(const ConfigImage& image_before,
                                           const KeyActionTable& actions_before) {
  n240qx::KeepHostActionKeys(image_before, actions_before, image_, key_actions_);
}

void ConfiguratorState::ShowOutsideLighting(const std::function<void(ConfigImage&)>& change) {
  const ConfigImage before = image_;
  n240qx::ShowOutsideLighting(OutsideLightingTarget(snapshot_, change), image_, snapshot_);
  TakeOutsideChange(before);
}

std::optional<SliderMove> ConfiguratorState::ApplyKeyboardLightingChange(std::uint8_t sub_code,
                                                                         std::uint8_t value) {
  const ConfigImage before = image_;
  auto move = KeyboardLightingChange::Apply(sub_code, value, image_, snapshot_, repaint_);
  // Made on the keyboard: an undo must neither revert it nor count it as the user's.
  edits_.TakeOutsideChange(before, image_);
  return move;
}

}  // namespace n240qx
