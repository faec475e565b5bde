#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "keys/KeyActionEntry.h"

namespace n240qx {

// The one word for each kind of a key's action, as `assign` takes it, `keys` shows it and a
// JSON profile stores it: "single", "combine", "macro", "function", "play", "startup",
// "open-file", "open-folder", and "none" for the entry the key dialog leaves without a choice.
// A key left as the keyboard ships it is "single": it sends its own key.
struct AssignmentKindWord {
  AssignmentKind kind;
  std::string_view word;
};

std::span<const AssignmentKindWord> AssignmentKindWords();
// Empty for a kind no assignment has.
std::string_view WordOfAssignmentKind(std::uint8_t kind);
std::optional<AssignmentKind> AssignmentKindOfWord(std::string_view word);
// "single, combine, ..., none", for a refusal that says what is allowed.
std::string AssignmentKindWordList();

}  // namespace n240qx
