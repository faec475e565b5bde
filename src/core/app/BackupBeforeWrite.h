#pragma once

#include <filesystem>

#include "app/BackupName.h"
#include "app/BackupStore.h"
#include "app/ConfiguratorState.h"
#include "util/Result.h"

namespace n240qx {

// The one call every front end makes before it writes to the keyboard: what the keyboard held
// as last read (image snapshot and key action table snapshot) saved as a backup, together with
// what the write is about to change. A failure means the write must not start; its message
// names the file. A write that then fails keeps its backup.

// Nothing is saved when the write would change nothing.
Status BackUpBeforeWrite(const ConfiguratorState& state, BackupStore& store, BackupName::Time now);
// A factory reset changes everything, so it is always preceded by a backup.
Status BackUpBeforeFactoryReset(const ConfiguratorState& state, BackupStore& store,
                                BackupName::Time now);

// The same for the window and the command-line tool: the backups folder on disk, the time now.
Status BackUpBeforeWrite(const ConfiguratorState& state, const std::filesystem::path& folder);
Status BackUpBeforeFactoryReset(const ConfiguratorState& state,
                                const std::filesystem::path& folder);

}  // namespace n240qx
