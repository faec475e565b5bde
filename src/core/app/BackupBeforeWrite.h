#pragma once

#include <filesystem>

#include "app/BackupName.h"
#include "app/BackupStore.h"
#include "app/ConfiguratorState.h"
#include "device/WriteOutcome.h"
#include "util/Result.h"

namespace n240qx {

// The one call every front end makes before it writes to the keyboard: what the keyboard held
// as last read (image snapshot and key action table snapshot) saved as a backup, together with
// what the write is about to change. A failure means the write must not start; its message
// names the file. A write that then fails keeps its backup; one that sent nothing at all drops
// it (DropBackupOfUnsentWrite). Each returns the backup's file.

// Nothing is saved when the write would change nothing: the path is then empty.
Result<std::filesystem::path> BackUpBeforeWrite(const ConfiguratorState& state, BackupStore& store,
                                                BackupName::Time now);
// A factory reset changes everything, so it is always preceded by a backup.
Result<std::filesystem::path> BackUpBeforeFactoryReset(const ConfiguratorState& state,
                                                       BackupStore& store, BackupName::Time now);

// The same for the window and the command-line tool: the backups folder on disk, the time now.
Result<std::filesystem::path> BackUpBeforeWrite(const ConfiguratorState& state,
                                                const std::filesystem::path& folder);
Result<std::filesystem::path> BackUpBeforeFactoryReset(const ConfiguratorState& state,
                                                       const std::filesystem::path& folder);

// After the write `backup` was saved for: when it sent nothing (refused, failed before its
// first report, or read the keyboard again instead), the backup records no write and would
// only push a real one out of the kept twenty, so it is removed. An empty path is no backup.
void DropBackupOfUnsentWrite(const std::filesystem::path& backup, const WriteOutcome& outcome);

}  // namespace n240qx
