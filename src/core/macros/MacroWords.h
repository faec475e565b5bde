#pragma once

#include <span>
#include <string>
#include <vector>

#include "keys/KeyNameTable.h"
#include "macros/MacroStore.h"
#include "util/Result.h"

namespace n240qx {

// `macro`'s change words (new NAME EVENT... | set N EVENT... | delete N | rename N NAME |
// loop N COUNT) made on a store, for the tool and the window's bus object alike, so that both
// refuse and report a change in the same words.
class MacroWords {
 public:
  struct Done {
    // "macro 3 Fire created", as the tool prints it.
    std::string line;
    // A key held down when the macro ends: kept as typed, but seldom meant.
    std::vector<std::string> warnings;
  };

  // kInvalidArgument with the reason, and `store` untouched, for words that are no change.
  static Result<Done> Change(MacroStore& store, const KeyNameTable& names,
                             std::span<const std::string> words);
  // Whether `verb` names a change (not `show`).
  static bool Changes(const std::string& verb);
};

}  // namespace n240qx
