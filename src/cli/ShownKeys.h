#pragma once

#include <string>
#include <vector>

#include "app/ConfiguratorState.h"
#include "cli/SettingsView.h"
#include "image/ImageBlock.h"
#include "keys/KeyTableRow.h"

namespace n240qx {

// What a key does as `keys` shows it: its key map entry in `image` read with its key action.
std::string ShownKeyTarget(const ConfiguratorState& state, const ImageBlock& image,
                           const KeyTableRow& row);

// Every key of the key table as two entries, "NAME" (its target) and "NAME enabled" (yes or
// no), NAME picking the key as the other commands take it: what ChangeReport compares when a
// write changes keys.
std::vector<ShownSetting> ShownKeys(const ConfiguratorState& state);

}  // namespace n240qx
