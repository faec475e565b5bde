#pragma once

#include <filesystem>

#include "app/ConfiguratorState.h"
#include "app/StorePaths.h"

namespace n240qx::testing {

// keymap.bin and MacroDefine.bin in `folder`, loaded and saved as the program's own.
StorePaths StoresIn(const std::filesystem::path& folder);

// The state's keymap.bin held unread, as start-up holds a damaged one; the damage is then
// removed, so that only the hold stands between a save and the file.
void HoldKeymapUnread(ConfiguratorState& state);

}  // namespace n240qx::testing
