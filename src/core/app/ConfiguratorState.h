#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "app/EditHistory.h"
#include "app/SequenceEnd.h"
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

// The program's process-wide state, owned by the program and passed by reference to whoever
// needs it. Only the owning thread touches it: the device session hands its results over
// through the Dispatcher and they are applied here. About 800 kB: keep it on the heap.
struct ConfiguratorState {
  // Builds the key name table; everything else starts zero, as at program start.
  ConfiguratorState();

  ConfigImage image;
  DeviceSnapshot snapshot;
  KeyActionTable key_actions;
  KeyActionTable key_actions_snapshot;
  KeyNameTable key_names;
  MacroStore stored_macros;
  MacroStore working_macros;
  PendingAssignment pending;
  CustomisedKeyFlags customised;
  // The keyboard's firmware version; unknown until a read brings one.
  std::optional<FirmwareVersion> firmware;
  RepaintCountdown repaint;
  // The files that failed to load and are therefore never written.
  StoreGuard stores;
  // The keyboard's write count at the last read or write (see DeviceLockHold): a write
  // finding another count reads again first.
  std::uint64_t keyboard_writes = 0;
  // The window's unapplied edits. Every ending below that leaves image and snapshot alike
  // starts it anew; what the program itself changes in the image is taken in without a step.
  EditHistory edits;

  // Image and key action table to their snapshots (a new edit history), and back (dropping
  // unapplied edits).
  void CopyToSnapshots();
  void RestoreFromSnapshots();

  // Start-up: MacroDefine.bin into the stored macros, keymap.bin into image and key action
  // table, every key's own code restored, then both copied to their snapshots. With
  // `create_missing` a missing file is created from memory, as at the program's first start;
  // otherwise it is left missing and memory keeps its contents. Each file is loaded on its own:
  // one that exists but cannot be read changes nothing of its part, is held in `stores`, and
  // the returned error names every such file.
  Status LoadFiles(const std::filesystem::path& keymap_file,
                   const std::filesystem::path& macro_file, bool create_missing);
  // What the last LoadFiles found odd but used: one line per store whose size is not its
  // layout's; empty when every store was whole.
  const std::string& StoreSizeNotes() const { return store_size_notes_; }

  // Image and key action table into keymap.bin; refused while `stores` holds the file.
  Status SaveKeymapStore(const std::filesystem::path& keymap_file) const;
  // After the key assignment dialog ends with OK: `pending` assigned (KeyAssignment), then
  // keymap.bin saved. kInvalidArgument, with nothing changed or saved, for a pending
  // assignment that names no key or no macro slot. An empty path saves nothing (a dry run).
  Status CompleteKeyAssignment(const std::filesystem::path& keymap_file);
  // What the keyboard holds (both snapshots) into keymap.bin, dropping unapplied edits.
  Status SaveAppliedKeymapStore(const std::filesystem::path& keymap_file) const;
  // After the image was replaced (a read, a profile): the marked keys recomputed, keymap.bin
  // saved.
  Status Refresh(const std::filesystem::path& keymap_file);
  // Restore: the key action table back to its snapshot, then Refresh. The image is restored by
  // the window's model, which derives its page from it.
  Status RevertKeySettings(const std::filesystem::path& keymap_file);

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
  // way on what `keymap_file` now says (the other program saved it before it let go of the
  // keyboard), so a launch path it assigned survives this write's save; no file, no change.
  void RebaseOnReread(const DeviceRead& read, const std::filesystem::path& keymap_file);
  // After a write of changes: on success the written image becomes the snapshot and the key
  // action table its snapshot; after a failure only the acknowledged regions reach the snapshot,
  // so the next write sends the rest again. The image keeps the mask as it was sent.
  // Returns the write's own status.
  Status ApplyWriteOutcome(const WriteOutcome& outcome);
  // After FactoryReset and RereadAll (or an arrival after a firmware update): the keyboard's
  // regions, every key enabled, no assignments, each key's own code, no marked keys; image and
  // key action table to their snapshots and to keymap.bin, which the reset replaces on purpose
  // even when it could not be loaded. Returns the save's status.
  Status ApplyFactoryReset(const DeviceRead& read, const std::filesystem::path& keymap_file);

  // Everything that follows a sequence, for the window and the command-line tool alike; each
  // saves keymap.bin at most once.
  // The full read: applied when it succeeded, then Refresh either way.
  SequenceEnd FinishFullRead(const Result<DeviceRead>& read,
                             const std::filesystem::path& keymap_file);
  // A write: applied; on success the lock folded into the mask, image and key action table to
  // their snapshots and to keymap.bin. A failed write saves nothing: keymap.bin keeps
  // describing what the keyboard holds.
  SequenceEnd FinishWrite(const WriteOutcome& outcome, const std::filesystem::path& keymap_file);
  // A lighting write from outside the window (OutsideLightingTarget): what the keyboard now
  // holds into the snapshot, and into the image where the user has no unapplied edit, which
  // stays unapplied and undoable. keymap.bin is not touched: such a write sends no key setting.
  SequenceEnd FinishOutsideLightingWrite(const WriteOutcome& outcome);
  // A factory reset: ApplyFactoryReset when the keyboard answered; nothing changes otherwise.
  SequenceEnd FinishFactoryReset(const Result<DeviceRead>& read,
                                 const std::filesystem::path& keymap_file);
  // The re-read after an arrival: a reset's ending after a firmware update, otherwise the
  // regions into image and snapshot and, when the keyboard can be heard (`listening`), Refresh;
  // otherwise only the marked keys are recomputed.
  SequenceEnd FinishArrival(const Result<DeviceRead>& read, bool reset_after_update, bool listening,
                            const std::filesystem::path& keymap_file);
  // After the macro dialog ends with OK: the macro records of the image rebuilt from the stored
  // macros (the keyboard gets them with the next Apply), then keymap.bin and MacroDefine.bin
  // written. Both files are tried; the first failure is returned.
  Status CommitMacros(const std::filesystem::path& keymap_file,
                      const std::filesystem::path& macro_file);

  // Event kind 1: the value in image and snapshot, the repaint countdown started.
  std::optional<SliderMove> ApplyKeyboardLightingChange(std::uint8_t sub_code, std::uint8_t value);

 private:
  void LoadStore(const std::filesystem::path& file, const Status& loaded);
  void NoteStoreSize(const std::filesystem::path& file, std::size_t layout_size);

  std::string store_size_notes_;
  // The firmware version and the write count a read brought.
  void KeepFirmware(const DeviceRead& read);
  void RebaseKeyActions(const std::filesystem::path& keymap_file);
};

}  // namespace n240qx
