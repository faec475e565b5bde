#include "app/BackupBeforeWrite.h"

#include <system_error>

#include "config/DiskProfileFiles.h"
#include "keys/KeymapStore.h"

namespace n240qx {

namespace {

Result<std::filesystem::path> SaveSnapshots(const ConfiguratorState& state, BackupStore& store,
                                            const ChangeSummary& summary, BackupName::Time now) {
  ConfigImage held;
  held.bytes() = state.snapshot().bytes();
  auto saved = store.Save(EncodeKeymapStore(held, state.key_actions_snapshot()), summary, now);
  if (!saved.ok()) {
    return Error{saved.error().code, saved.error().message + "; nothing was sent"};
  }
  return saved;
}

BackupName::Time Now() {
  return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

}  // namespace

Result<std::filesystem::path> BackUpBeforeWrite(const ConfiguratorState& state, BackupStore& store,
                                                BackupName::Time now) {
  const ChangeSummary summary = ChangeSummary::Compare(state);
  if (!summary.Any()) {
    return std::filesystem::path();
  }
  return SaveSnapshots(state, store, summary, now);
}

Result<std::filesystem::path> BackUpBeforeFactoryReset(const ConfiguratorState& state,
                                                       BackupStore& store, BackupName::Time now) {
  return SaveSnapshots(state, store, ChangeSummary::FactoryReset(), now);
}

Result<std::filesystem::path> BackUpBeforeWrite(const ConfiguratorState& state,
                                                const std::filesystem::path& folder) {
  DiskProfileFiles files;
  BackupStore store(folder, files);
  return BackUpBeforeWrite(state, store, Now());
}

Result<std::filesystem::path> BackUpBeforeFactoryReset(const ConfiguratorState& state,
                                                       const std::filesystem::path& folder) {
  DiskProfileFiles files;
  BackupStore store(folder, files);
  return BackUpBeforeFactoryReset(state, store, Now());
}

void DropBackupOfUnsentWrite(const std::filesystem::path& backup, const WriteOutcome& outcome) {
  if (!backup.empty() && outcome.sent.empty()) {
    std::error_code ignored;
    std::filesystem::remove(backup, ignored);
  }
}

}  // namespace n240qx
