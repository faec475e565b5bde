#pragma once

#include <cstddef>
#include <string>

#include "image/ConfigImage.h"
#include "keys/KeyActionTable.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroStore.h"
#include "util/Language.h"

namespace n240qx {

// What a pointer resting on a key of the drawing in Keymap mode is told: the key and what it
// does, in the window's language ("Q: LCtrl + C", "F5: Makro 0 Hello", "CapsLock: deaktiviert"),
// so that an assignment can be read without opening the key dialog. The bytes are the image's
// key map, the names of functions and paths the host's entry.
class KeyAssignmentTip {
 public:
  struct Sources {
    const ConfigImage& image;
    const KeyActionTable& actions;
    const KeyNameTable& names;
    const MacroStore& macros;
  };

  // Empty for a key the table does not know.
  static std::string For(std::size_t key, const Sources& sources, Language language);
};

}  // namespace n240qx
