#include "app/KeyAssignment.h"

#include <algorithm>
#include <utility>

#include "image/ImageField.h"
#include "keys/FactoryKeyMap.h"
#include "keys/FunctionTable.h"
#include "keys/KeyTable.h"
#include "keys/LaunchTarget.h"
#include "macros/MacroRecordBuilder.h"

namespace n240qx {

namespace {

// Data bytes of a launch entry: they decode as "Internet browser", which the dialog shows.
constexpr std::array<std::uint8_t, 4> kLaunchData = {0x03, 0x00, 0x23, 0x02};

// The four media codes of the key name table are consumer usages, not keyboard keys.
KeyMapEntry SingleKeyEntry(std::uint8_t device_code) {
  KeyMapEntry entry{KeyMapEntry::kKeys, 0x00, device_code, 0x00};
  if (device_code == 0x83) {
    entry.type = KeyMapEntry::kConsumer;
    entry.p3 = 0x01;
  } else if (device_code == 0xCD || device_code == 0xE9 || device_code == 0xEA) {
    entry.type = KeyMapEntry::kConsumer;
  }
  return entry;
}

void ClearAssignment(KeyActionEntry& record) {
  record.kind = static_cast<std::uint8_t>(AssignmentKind::kSingle);
  record.count = 0;
  record.data.fill(0);
}

}  // namespace

struct KeyAssignment::Target {
  std::uint8_t index;
  std::uint8_t slot;
  std::uint8_t own_vk;
  KeyActionEntry& record;
};

KeyAssignment::KeyAssignment(ConfigImage& image, KeyActionTable& actions,
                             CustomisedKeyFlags& customised, PendingAssignment& pending,
                             const KeyNameTable& names, const MacroStore& stored_macros,
                             std::filesystem::path store_file, const StoreGuard* guard)
    : image_(image),
      actions_(actions),
      customised_(customised),
      pending_(pending),
      names_(names),
      stored_macros_(stored_macros),
      store_file_(std::move(store_file)),
      guard_(guard) {}

Result<KeymapLoad> KeyAssignment::LoadKeymapStore(bool skip_image) {
  if (guard_ != nullptr && guard_->Held(store_file_)) {
    return guard_->CheckWritable(store_file_).error();
  }
  return n240qx::LoadKeymapStore(store_file_, skip_image, image_, actions_);
}

void KeyAssignment::RestoreKeyActionKeys() {
  n240qx::RestoreKeyActionKeys(actions_);
}

void KeyAssignment::ResetKeySettings() {
  n240qx::ResetKeySettings(image_, actions_);
}

Status KeyAssignment::ApplyKeyAssignment() {
  if (Status valid = Validate(); !valid.ok()) {
    return valid;
  }
  Assign();
  return Status::Ok();
}

Status KeyAssignment::CompleteKeyAssignment() {
  if (Status valid = Validate(); !valid.ok()) {
    return valid;
  }
  const auto& row = *KeyTable::ByIndex(pending_.current_key);
  customised_.Set(row.index, false);
  Assign();
  image_.SetKeyEnabled(row.slot, pending_.key_enabled);
  if (!pending_.key_enabled) {
    customised_.Set(row.index, true);
  }
  return Status::Ok();
}

bool KeyAssignment::LaunchKeyAction(std::uint32_t code, Launcher& launcher) const {
  const auto target = FindLaunchTarget(actions_, code);
  if (!target || target->file.empty()) {
    return false;
  }
  launcher.Launch(*target);
  return true;
}

Status KeyAssignment::Validate() const {
  if (KeyTable::ByIndex(pending_.current_key) == nullptr) {
    return Error{ErrorCode::kInvalidArgument,
                 "key index " + std::to_string(pending_.current_key) + " is not a key (0-107)"};
  }
  const bool macro_chosen =
      pending_.captured_count != PendingAssignment::kResetCount &&
      pending_.pending_kind == static_cast<std::uint8_t>(AssignmentKind::kMacro);
  const int slot = pending_.macro_index;
  if (macro_chosen && slot != PendingAssignment::kNoMacro &&
      (slot < 0 || slot >= static_cast<int>(image_field::kMacroRecordCount))) {
    return Error{ErrorCode::kInvalidArgument,
                 "macro " + std::to_string(slot) + " does not exist: the keyboard holds 32 (0-31)"};
  }
  return Status::Ok();
}

void KeyAssignment::Assign() {
  const auto& row = *KeyTable::ByIndex(pending_.current_key);
  const Target key{row.index, row.slot, row.vk, actions_[row.index]};
  if (pending_.captured_count == PendingAssignment::kResetCount) {
    RestoreDefault(key);
    pending_.key_enabled = true;
    return;
  }
  switch (static_cast<AssignmentKind>(pending_.pending_kind)) {
    case AssignmentKind::kSingle:
      AssignSingle(key);
      break;
    case AssignmentKind::kCombine:
      AssignCombine(key);
      break;
    case AssignmentKind::kMacro:
      AssignMacro(key);
      break;
    case AssignmentKind::kFunction:
      AssignFunction(key);
      break;
    case AssignmentKind::kPlayMusic:
    case AssignmentKind::kStartup:
    case AssignmentKind::kOpenFile:
    case AssignmentKind::kOpenFolder:
      AssignLaunch(key);
      break;
    case AssignmentKind::kRestoreDefault:
      RestoreDefault(key);
      break;
    case AssignmentKind::kNone:
      break;
  }
}

void KeyAssignment::AssignSingle(const Target& key) {
  key.record.kind = static_cast<std::uint8_t>(AssignmentKind::kSingle);
  key.record.data = pending_.captured_keys;
  key.record.count = static_cast<std::uint8_t>(std::clamp(pending_.captured_count, 0, 255));
  if (pending_.captured_count != 1) {
    return;
  }
  const std::uint8_t captured = pending_.captured_keys[0];
  if (captured == key.own_vk) {
    // A key given its own code is a reset: the factory entry, since the computed one is wrong
    // for Fn (it would become App) and for key 16 (it would send nothing).
    ClearAssignment(key.record);
    customised_.Set(key.index, false);
    WriteMapEntry(key, FactoryKeyMapEntry(key.slot));
    return;
  }
  customised_.Set(key.index, true);
  WriteMapEntry(key, SingleKeyEntry(names_.DeviceCodeOf(captured)));
}

void KeyAssignment::AssignCombine(const Target& key) {
  key.record.kind = static_cast<std::uint8_t>(AssignmentKind::kCombine);
  key.record.data = pending_.captured_keys;
  key.record.count = static_cast<std::uint8_t>(std::clamp(pending_.captured_count, 0, 255));
  const auto& keys = pending_.captured_keys;
  WriteMapEntry(key, {KeyMapEntry::kKeys, names_.DeviceCodeOf(keys[0]),
                      names_.DeviceCodeOf(keys[1]), names_.DeviceCodeOf(keys[2])});
  if (pending_.captured_count > 1) {
    customised_.Set(key.index, true);
  }
}

void KeyAssignment::AssignMacro(const Target& key) {
  const auto macro_slot = static_cast<std::uint8_t>(pending_.macro_index & 0xFF);
  key.record.kind = static_cast<std::uint8_t>(AssignmentKind::kMacro);
  const KeyMapEntry entry{KeyMapEntry::kMacro, 0x01, macro_slot, 0x00};
  const auto bytes = entry.ToBytes();
  std::copy(bytes.begin(), bytes.end(), key.record.data.begin());
  if (pending_.macro_index == PendingAssignment::kNoMacro) {
    return;
  }
  WriteMapEntry(key, entry);
  customised_.Set(key.index, true);
  // The keyboard plays the record in the image, so every named macro's record is rebuilt.
  BuildMacroRecords(stored_macros_, image_);
}

void KeyAssignment::AssignFunction(const Target& key) {
  key.record.kind = static_cast<std::uint8_t>(AssignmentKind::kFunction);
  customised_.Set(key.index, true);
  const auto* function = FunctionTable::Find(pending_.function_name);
  if (function == nullptr) {
    return;
  }
  WriteMapEntry(key, function->entry);
  const auto bytes = function->entry.ToBytes();
  std::copy(bytes.begin(), bytes.end(), key.record.data.begin());
}

void KeyAssignment::AssignLaunch(const Target& key) {
  customised_.Set(key.index, true);
  key.record.kind = pending_.pending_kind;
  // The keyboard reports the press with p2 and the launch handler matches it against key_vk,
  // so both carry the key's own code.
  WriteMapEntry(key, {KeyMapEntry::kHostLaunch, 0x00, key.own_vk, 0x00});
  key.record.key_vk = key.own_vk;
  std::copy(kLaunchData.begin(), kLaunchData.end(), key.record.data.begin());
  key.record.SetPath(pending_.launch_path);
}

void KeyAssignment::RestoreDefault(const Target& key) {
  ClearAssignment(key.record);
  WriteMapEntry(key, FactoryKeyMapEntry(key.slot));
  image_.SetKeyEnabled(key.slot, true);
}

void KeyAssignment::WriteMapEntry(const Target& key, KeyMapEntry entry) {
  const auto bytes = entry.ToBytes();
  auto field = image_.Field(image_field::KeyMapEntry(key.slot));
  std::copy(bytes.begin(), bytes.end(), field.begin());
}

}  // namespace n240qx
