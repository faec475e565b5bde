#pragma once

#include "image/ConfigImage.h"
#include "keys/CustomisedKeyFlags.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

// Which keys the Keymap drawing marks: a key is customised when its key map entry sends
// another code than the factory entry, when the host holds an assignment for it (any kind but
// a single key, or a single key other than itself), or when it is disabled. Fn is never
// marked. Run after the full read, after a profile load and on revert.
// The rule above for one key, leaving Fn's exception to the caller.
bool IsCustomisedKey(const ConfigImage& image, const KeyActionEntry& action, std::uint8_t slot);

void RecomputeCustomisedKeyFlags(const ConfigImage& image, const KeyActionTable& actions,
                                 CustomisedKeyFlags& flags);

}  // namespace n240qx
