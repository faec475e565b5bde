#pragma once

#include <span>
#include <string>

#include "keys/KeyActionEntry.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroStore.h"

namespace n240qx {

// What a key does, in the words the key dialog and the macro list use: "LCtrl + LAlt + Del",
// "Volume Up", "macro 0 Hello", "open-folder /home/me". `key_map_entry` is the key's 4 bytes
// of the key map (stored or the keyboard's), `action` the host's entry for the key, which
// alone knows a function's name and a launch path.
std::string KeyTargetText(std::span<const std::uint8_t, 4> key_map_entry,
                          const KeyActionEntry& action, const KeyNameTable& names,
                          const MacroStore& macros);

}  // namespace n240qx
