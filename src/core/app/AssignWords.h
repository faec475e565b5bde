#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "app/ConfiguratorState.h"
#include "keys/KeyTableRow.h"
#include "keys/PendingAssignment.h"
#include "util/Result.h"

namespace n240qx {

// The words `assign` takes, KEY ACTION [KEY ACTION ...], for the tool and the window's session
// bus object alike: checked whole before anything changes, then carried out one key at a time
// as the key assignment dialog's OK would.
class AssignWords {
 public:
  // One KEY ACTION.
  struct Change {
    const KeyTableRow* row = nullptr;
    PendingAssignment pending;
    // enable and disable; every other action keeps the key's state.
    bool sets_enabled = false;
  };

  // kInvalidArgument naming the first mistake: a short group, an unknown key or action, a key
  // named twice.
  static Result<std::vector<Change>> Parse(const KeyNameTable& names,
                                           std::span<const std::string> words);
  // kInvalidArgument for a macro number beyond the stored macros.
  static Status CheckMacros(const MacroStore& stored, const std::vector<Change>& changes);
  // When an assignment reaches keymap.bin: at once (as far as the state's stores are saved), or
  // with the write that follows, whose end saves it.
  enum class KeymapSave { kNow, kWithTheWrite };
  // The assignment step for one key.
  static Status Assign(ConfiguratorState& state, const Change& change, KeymapSave save);
};

}  // namespace n240qx
