#pragma once

#include <cstdint>
#include <filesystem>

#include "image/ConfigImage.h"
#include "keys/CustomisedKeyFlags.h"
#include "keys/KeyActionTable.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyNameTable.h"
#include "keys/KeymapStore.h"
#include "keys/Launcher.h"
#include "keys/PendingAssignment.h"
#include "macros/MacroStore.h"
#include "util/Result.h"
#include "util/StoreGuard.h"

namespace n240qx {

// Turns the key assignment dialog's result into the keyboard's key map entry and the host's
// key action entry. Works on objects the application owns; it
// holds references only.
class KeyAssignment {
 public:
  KeyAssignment(ConfigImage& image, KeyActionTable& actions, CustomisedKeyFlags& customised,
                PendingAssignment& pending, const KeyNameTable& names,
                const MacroStore& stored_macros, std::filesystem::path store_file,
                const StoreGuard* guard = nullptr);

  const std::filesystem::path& store_file() const { return store_file_; }

  // Refuses, and leaves memory and file alone, while `guard` holds the store.
  Result<KeymapLoad> LoadKeymapStore(bool skip_image);
  void RestoreKeyActionKeys();
  void ResetKeySettings();

  // The assignment step for pending.current_key, in memory. kInvalidArgument (and nothing
  // changed) when current_key is not a key or macro_index is not a macro slot. keymap.bin is
  // the caller's to save (ConfiguratorState::CompleteKeyAssignment).
  Status ApplyKeyAssignment();
  // After the dialog ends with OK: the assignment step, then the key's enable bit and
  // customised flag from pending.key_enabled.
  Status CompleteKeyAssignment();

  // A press of a launch key as the keyboard reports it. Returns whether anything was started:
  // an unknown code or a path without a separator starts nothing.
  bool LaunchKeyAction(std::uint32_t code, Launcher& launcher) const;

 private:
  struct Target;

  Status Validate() const;
  void Assign();
  void AssignSingle(const Target& key);
  void AssignCombine(const Target& key);
  void AssignMacro(const Target& key);
  void AssignFunction(const Target& key);
  void AssignLaunch(const Target& key);
  void RestoreDefault(const Target& key);
  void WriteMapEntry(const Target& key, KeyMapEntry entry);

  ConfigImage& image_;
  KeyActionTable& actions_;
  CustomisedKeyFlags& customised_;
  PendingAssignment& pending_;
  const KeyNameTable& names_;
  const MacroStore& stored_macros_;
  std::filesystem::path store_file_;
  const StoreGuard* guard_;
};

}  // namespace n240qx
