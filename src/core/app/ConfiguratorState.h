#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "app/EditHistory.h"
#include "app/SequenceEnd.h"
#include "app/StorePaths.h"
#include "device/DeviceRead.h"
#include "device/FirmwareVersion.h"
#include "device/WriteOutcome.h"
#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"
#include "keys/CustomisedKeyFlags.h"
#include "keys/KeyActionTable.h"
#include "keys/KeyNameTable.h"
#include "keys/PendingAssignment.h"
#include "lighting/KeyboardLightingChange.h"
#include "lighting/RepaintCountdown.h"
#include "macros/MacroStore.h"
#include "util/Language.h"
#include "util/Result.h"
#include "util/StoreGuard.h"

namespace n240qx {

class KeyAssignment;

// The program's process-wide state, owned by the program and passed by reference to whoever
// needs it. Only the owning thread touches it: the device session hands its results over
// through the Dispatcher and they are applied here. About 800 kB: keep it on the heap.
// What it holds is read through the accessors named after it; every change goes through an
// operation below that says what it does, so that each rule of what follows what is kept here.
class ConfiguratorState {
 public:
  // Builds the key name table; everything else starts zero, as at program start, with no
  // stores (StorePaths::None) until UseStores names them.
  ConfiguratorState();

  // Where keymap.bin and MacroDefine.bin are loaded from and saved to from now on.
  void UseStores(StorePaths paths) { store_paths_ = std::move(paths); }
  const StorePaths& store_paths() const { return store_paths_; }

  const ConfigImage& image() const { return image_; }
  const DeviceSnapshot& snapshot() const { return snapshot_; }
  const KeyActionTable& key_actions() const { return key_actions_; }
  const KeyActionTable& key_actions_snapshot() const { return key_actions_snapshot_; }
  const KeyNameTable& key_names() const { return key_names_; }
  const MacroStore& stored_macros() const { return stored_macros_; }
  const MacroStore& working_macros() const { return working_macros_; }
  const PendingAssignment& pending() const { return pending_; }
  const CustomisedKeyFlags& customised() const { return customised_; }
  // The keyboard's firmware version; unknown until a read brings one.
  const std::optional<FirmwareVersion>& firmware() const { return firmware_; }
  const RepaintCountdown& repaint() const { return repaint_; }
  // The files that failed to load and are therefore never written.
  const StoreGuard& stores() const { return stores_; }
  // The keyboard's write count at the last read or write (see DeviceLockHold): a write
  // finding another count reads again first.
  std::uint64_t keyboard_writes() const { return keyboard_writes_; }
  // The window's unapplied edits. Every ending below that leaves image and snapshot alike
  // starts it anew; what the program itself changes in the image is taken in without a step.
  const EditHistory& edits() const { return edits_; }

  // The image as the user edits it: the window's page, model and keyboard view hold it for the
  // window's lifetime, and a command's or a bus caller's setting changes are made on it. Edits
  // made here are no step of the edit history until RecordEdits, which the window calls where
  // each input ends; a caller's change is followed by ResetEditHistory instead.
  ConfigImage& ImageForEditing() { return image_; }
  // The key assignment under way: the keyboard view names the clicked key in it and the key
  // dialog fills in the rest; CompleteKeyAssignment then takes it.
  PendingAssignment& PendingForEditing() { return pending_; }
  // The macro dialog's two copies: its Open takes the working copy from the stored one, it
  // edits the working copy, and its OK copies that back; CommitMacros then saves the stored
  // copy.
  struct MacroCopies {
    MacroStore& stored;
    MacroStore& working;
  };
  MacroCopies MacrosForDialog() { return {stored_macros_, working_macros_}; }

  // A key assignment named whole at once (a command's), for CompleteKeyAssignment.
  void StartPendingAssignment(const PendingAssignment& pending) { pending_ = pending; }
  // Macros a command changed become the stored ones; CommitMacros then builds the image's
  // macro records from them and saves, as after the macro dialog's OK. Nothing is saved here.
  void TakeMacroEdits(const MacroStore& edited);
  // What the keyboard holds, as a profile in keymap.bin's layout and the firmware version that
  // the running window reported: into image, key action table, both snapshots and firmware. It
  // is not checked, being no file of the user's.
  void TakeKeyboardProfile(std::span<const std::uint8_t> bytes,
                           const std::optional<FirmwareVersion>& firmware);
  // Image and key action table back to what the caller kept before a change it refuses.
  void PutBackSettings(const ConfigImage& image, const KeyActionTable& key_actions);
  // The key assignment's rules bound to this state's image, key action table, marked keys,
  // pending assignment and keymap.bin (as named now): the window keeps one for the key dialog's
  // reload of the key action table and for the launch keys.
  KeyAssignment BindKeyAssignment();
  // The key action table as the key dialog edits it: OK writes the key's entry back, then
  // CompleteKeyAssignment assigns it.
  KeyActionTable& KeyActionsForEditing() { return key_actions_; }

  // After a profile load: keys with a host action that the profile leaves untouched keep it
  // (see n240qx::KeepHostActionKeys).
  void KeepHostActionKeys(const ConfigImage& image_before, const KeyActionTable& actions_before);
  // Before a lighting write from outside the window: the window shows what `change` makes of
  // what the keyboard holds wherever the user has not edited the image; not the user's edit,
  // so an undo neither claims nor reverts it.
  void ShowOutsideLighting(const std::function<void(ConfigImage&)>& change);
  // One tick of the repaint countdown; true when the window is to repaint now.
  bool TickRepaint() { return repaint_.Tick(); }

  // The edit history's steps: the edits since the last step, recorded as one (false when there
  // were none); the last step undone, or the last undone step redone (null when there is
  // none); a new history from what image and key action table hold now. What the program
  // itself changed in the image since `before` is taken in without a step. The window steps
  // with the first three (EditKeys); a caller's change starts a new history.
  bool RecordEdits() { return edits_.Record(image_, key_actions_); }
  const EditStep* UndoEdit() { return edits_.Undo(image_, key_actions_); }
  const EditStep* RedoEdit() { return edits_.Redo(image_, key_actions_); }
  void ResetEditHistory() { edits_.Reset(image_, key_actions_); }
  void TakeOutsideChange(const ConfigImage& before) { edits_.TakeOutsideChange(before, image_); }

  // Image and key action table to their snapshots (a new edit history), and back (dropping
  // unapplied edits).
  void CopyToSnapshots();
  void RestoreFromSnapshots();

  // Start-up: MacroDefine.bin into the stored macros, keymap.bin into image and key action
  // table, every key's own code restored, then both copied to their snapshots. With
  // `create_missing` a missing file is created from memory, as at the program's first start;
  // otherwise it is left missing and memory keeps its contents. Each file is loaded on its own:
  // one that exists but cannot be read changes nothing of its part, is held in `stores`, and
  // the returned error names every such file. What goes wrong is worded in `language`, and so
  // is every later failure or refusal to write a store.
  Status LoadFiles(bool create_missing, Language language = Language::kEnglish);
  // What the last LoadFiles found odd but used: one line per store whose size is not its
  // layout's; empty when every store was whole.
  const std::string& StoreSizeNotes() const { return store_size_notes_; }

  // Every save below succeeds without touching a file when the stores are not saved
  // (StorePaths::saves).
  // Image and key action table into keymap.bin; refused while `stores` holds the file.
  Status SaveKeymapStore() const;
  // After the key assignment dialog ends with OK: `pending` assigned (KeyAssignment), then
  // keymap.bin saved. kInvalidArgument, with nothing changed or saved, for a pending
  // assignment that names no key or no macro slot.
  Status CompleteKeyAssignment();
  // The same in memory only: keymap.bin is left to the write that follows.
  Status AssignPending();
  // What the keyboard holds (both snapshots) into keymap.bin, dropping unapplied edits.
  Status SaveAppliedKeymapStore() const;
  // After the image was replaced (a read, a profile): the marked keys recomputed, keymap.bin
  // saved.
  Status Refresh();
  // Restore: the key action table back to its snapshot, then Refresh. The image is restored by
  // the window's model, which derives its page from it.
  Status RevertKeySettings();

  // A profile file's bytes into image and key action table; a short file fills what it holds.
  // Every load of a profile goes through here, so that what a profile may hold is decided in
  // one place. The keyboard is not touched. A value the keyboard holds as last read, or that
  // `recorded` (a backup of what the keyboard held) holds, is taken whatever its range.
  // A refusal is worded in `language`.
  Status LoadProfile(std::span<const std::uint8_t> bytes,
                     std::span<const std::uint8_t> recorded = {},
                     Language language = Language::kEnglish);

  // The primitives of the sequences' endings, without any file.
  // After the full read: the keyboard's regions into the image, the image to the snapshot (the
  // key action table snapshot is not touched), the firmware version kept.
  void ApplyFullRead(const DeviceRead& read);
  // After a re-read or an arrival: the keyboard's regions into image and snapshot alike.
  void ApplyReread(const DeviceRead& read);
  // After a write that found another program's write and read the keyboard again instead: the
  // fresh regions into the snapshot, and into the image wherever it held no unapplied edit,
  // so the user's edits stay on top of the other program's change; they are then one undo
  // step, down to what the keyboard holds now. The host-side key actions are rebased the same
  // way on what keymap.bin now says (the other program saved it before it let go of the
  // keyboard), so a launch path it assigned survives this write's save; stores that are not
  // saved bring no change.
  void RebaseOnReread(const DeviceRead& read);
  // After a write of changes: on success the written image becomes the snapshot and the key
  // action table its snapshot; after a failure only the acknowledged regions reach the snapshot,
  // so the next write sends the rest again. The image keeps the mask as it was sent.
  // Returns the write's own status.
  Status ApplyWriteOutcome(const WriteOutcome& outcome);
  // After FactoryReset and RereadAll (or an arrival after a firmware update): the keyboard's
  // regions, every key enabled, no assignments, each key's own code, no marked keys; image and
  // key action table to their snapshots and to keymap.bin, which the reset replaces on purpose
  // even when it could not be loaded. Returns the save's status.
  Status ApplyFactoryReset(const DeviceRead& read);

  // Everything that follows a sequence, for the window and the command-line tool alike; each
  // saves keymap.bin at most once.
  // The full read: applied when it succeeded, then Refresh either way.
  SequenceEnd FinishFullRead(const Result<DeviceRead>& read);
  // A write: applied; on success the lock folded into the mask, image and key action table to
  // their snapshots and to keymap.bin. A failed write saves nothing: keymap.bin keeps
  // describing what the keyboard holds.
  SequenceEnd FinishWrite(const WriteOutcome& outcome);
  // A lighting write from outside the window (OutsideLightingTarget): what the keyboard now
  // holds into the snapshot, and into the image where the user has no unapplied edit, which
  // stays unapplied and undoable. keymap.bin is not touched: such a write sends no key setting.
  SequenceEnd FinishOutsideLightingWrite(const WriteOutcome& outcome);
  // A factory reset: ApplyFactoryReset when the keyboard answered; nothing changes otherwise.
  SequenceEnd FinishFactoryReset(const Result<DeviceRead>& read);
  // The re-read after an arrival: a reset's ending after a firmware update, otherwise the
  // regions into image and snapshot and, when the keyboard can be heard (`listening`), Refresh;
  // otherwise only the marked keys are recomputed.
  SequenceEnd FinishArrival(const Result<DeviceRead>& read, bool reset_after_update,
                            bool listening);
  // After the macro dialog ends with OK: the macro records of the image rebuilt from the stored
  // macros (the keyboard gets them with the next Apply), then keymap.bin and MacroDefine.bin
  // written. Both files are tried; the first failure is returned.
  Status CommitMacros();

  // Event kind 1: the value in image and snapshot, the repaint countdown started.
  std::optional<SliderMove> ApplyKeyboardLightingChange(std::uint8_t sub_code, std::uint8_t value);

 private:
  void LoadStore(const std::filesystem::path& file, const Status& loaded);
  void NoteStoreSize(const std::filesystem::path& file, std::size_t layout_size);
  // The firmware version and the write count a read brought.
  void KeepFirmware(const DeviceRead& read);
  void RebaseKeyActions();
  // The image's macro records from the stored macros; they follow MacroDefine.bin, which an
  // undo could not take back with them.
  void RebuildMacroRecords();
  Status SaveKeymapStoreOf(const ConfigImage& image, const KeyActionTable& key_actions) const;

  ConfigImage image_;
  DeviceSnapshot snapshot_;
  KeyActionTable key_actions_;
  KeyActionTable key_actions_snapshot_;
  KeyNameTable key_names_;
  MacroStore stored_macros_;
  MacroStore working_macros_;
  PendingAssignment pending_;
  CustomisedKeyFlags customised_;
  std::optional<FirmwareVersion> firmware_;
  RepaintCountdown repaint_;
  StoreGuard stores_;
  std::uint64_t keyboard_writes_ = 0;
  EditHistory edits_;
  StorePaths store_paths_ = StorePaths::None();
  std::string store_size_notes_;
  // The window's, from its load: the stores' failures are shown there.
  Language store_language_ = Language::kEnglish;
};

}  // namespace n240qx
