#pragma once

#include "image/ConfigImage.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

// A profile made before the profile keys were assigned (or by a program that knows nothing
// of them) leaves those keys at their defaults, and loading it would take away the very key
// that leads on to the next profile. So every key that carries a host action in the key map
// before the load (`image_before`, `actions_before`) and is left untouched (neither assigned,
// remapped nor disabled) by the loaded `image` and `actions` gets its host action back: its
// key map entry and its key action entry. Keys the profile assigns are the profile's.
void KeepHostActionKeys(const ConfigImage& image_before, const KeyActionTable& actions_before,
                        ConfigImage& image, KeyActionTable& actions);

}  // namespace n240qx
