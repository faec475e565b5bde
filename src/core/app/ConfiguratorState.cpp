#include "app/ConfiguratorState.h"

#include <algorithm>

#include "keys/KeymapStore.h"
#include "macros/MacroStoreFile.h"

namespace n240qx {

ConfiguratorState::ConfiguratorState() {
  BuildKeyNameTable(key_names);
}

void ConfiguratorState::CopyImageToSnapshot() {
  n240qx::CopyImageToSnapshot(image, snapshot);
  key_actions_snapshot = key_actions;
}

void ConfiguratorState::RestoreImageFromSnapshot() {
  n240qx::RestoreImageFromSnapshot(image, snapshot);
  key_actions = key_actions_snapshot;
}

Status ConfiguratorState::LoadFiles(const std::filesystem::path& keymap_file,
                                    const std::filesystem::path& macro_file, bool create_missing) {
  std::error_code ignored;
  if (create_missing || std::filesystem::exists(macro_file, ignored)) {
    LoadStore(macro_file, LoadMacroStore(macro_file, stored_macros));
  }
  if (create_missing || std::filesystem::exists(keymap_file, ignored)) {
    auto loaded = LoadKeymapStore(keymap_file, false, image, key_actions);
    LoadStore(keymap_file, loaded.ok() ? Status::Ok() : Status(loaded.error()));
  }
  RestoreKeyActionKeys(key_actions);
  CopyImageToSnapshot();
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

void ConfiguratorState::KeepFirmware(const DeviceRead& read) {
  // 0.0 is what an unanswered firmware read leaves; it is no version.
  if (read.firmware && (read.firmware->major != 0 || read.firmware->minor != 0)) {
    firmware = FirmwareVersion{read.firmware->major, read.firmware->minor};
  }
}

void ConfiguratorState::ApplyFullRead(const DeviceRead& read) {
  CopyDeviceRegions(read.image, image);
  n240qx::CopyImageToSnapshot(image, snapshot);
  KeepFirmware(read);
}

void ConfiguratorState::ApplyReread(const DeviceRead& read) {
  CopyDeviceRegions(read.image, image);
  CopyDeviceRegions(read.image, snapshot);
  KeepFirmware(read);
}

Status ConfiguratorState::ApplyWriteOutcome(const WriteOutcome& outcome) {
  std::ranges::copy(outcome.written.key_enable_mask(), image.key_enable_mask().begin());
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
  CopyImageToSnapshot();
  stores.Release(keymap_file);
  return SaveKeymapStore(keymap_file, image, key_actions);
}

std::optional<SliderMove> ConfiguratorState::ApplyKeyboardLightingChange(std::uint8_t sub_code,
                                                                         std::uint8_t value) {
  return KeyboardLightingChange::Apply(sub_code, value, image, snapshot, repaint);
}

}  // namespace n240qx
