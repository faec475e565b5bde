#include "keys/AssignmentKindWords.h"

#include <array>

namespace n240qx {

namespace {

constexpr std::array<AssignmentKindWord, 9> kWords{{
    {AssignmentKind::kSingle, "single"},
    {AssignmentKind::kCombine, "combine"},
    {AssignmentKind::kMacro, "macro"},
    {AssignmentKind::kFunction, "function"},
    {AssignmentKind::kPlayMusic, "play"},
    {AssignmentKind::kStartup, "startup"},
    {AssignmentKind::kOpenFile, "open-file"},
    {AssignmentKind::kOpenFolder, "open-folder"},
    {AssignmentKind::kNone, "none"},
}};

}  // namespace

std::span<const AssignmentKindWord> AssignmentKindWords() {
  return kWords;
}

std::string_view WordOfAssignmentKind(std::uint8_t kind) {
  for (const AssignmentKindWord& word : kWords) {
    if (static_cast<std::uint8_t>(word.kind) == kind) {
      return word.word;
    }
  }
  return {};
}

std::optional<AssignmentKind> AssignmentKindOfWord(std::string_view typed) {
  for (const AssignmentKindWord& word : kWords) {
    if (word.word == typed) {
      return word.kind;
    }
  }
  return std::nullopt;
}

std::string AssignmentKindWordList() {
  std::string list;
  for (const AssignmentKindWord& word : kWords) {
    list += (list.empty() ? "" : ", ") + std::string(word.word);
  }
  return list;
}

}  // namespace n240qx
