#include "app/BackupBeforeWrite.h"

#include "config/DiskProfileFiles.h"
#include "keys/KeymapStore.h"

namespace n240qx {

namespace {

Status SaveSnapshots(const ConfiguratorState& state, BackupStore& store,
                     const ChangeSummary& summary, BackupName::Time now) {
  ConfigImage held;
  held.bytes() = state.snapshot.bytes();
  const auto saved = store.Save(EncodeKeymapStore(held, state.key_actions_snapshot), summary, now);
  if (!saved.ok()) {
    return Error{saved.error().code, saved.error().message + "; nothing was sent"};
  }
  return Status::Ok();
}

BackupName::Time Now() {
  return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

}  // namespace

Status BackUpBeforeWrite(const ConfiguratorState& state, BackupStore& store, BackupName::Time now) {
  const ChangeSummary summary = ChangeSummary::Compare(state);
  if (!summary.Any()) {
    return Status::Ok();
  }
  return SaveSnapshots(state, store, summary, now);
}

Status BackUpBeforeFactoryReset(const ConfiguratorState& state, BackupStore& store,
                                BackupName::Time now) {
  return SaveSnapshots(state, store, ChangeSummary::FactoryReset(), now);
}

Status BackUpBeforeWrite(const ConfiguratorState& state, const std::filesystem::path& folder) {
  DiskProfileFiles files;
  BackupStore store(folder, files);
  return BackUpBeforeWrite(state, store, Now());
}

Status BackUpBeforeFactoryReset(const ConfiguratorState& state,
                                const std::filesystem::path& folder) {
  DiskProfileFiles files;
  BackupStore store(folder, files);
  return BackUpBeforeFactoryReset(state, store, Now());
}

}  // namespace n240qx
