#include "app/AssignAction.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

#include "app/ProfileLibrary.h"
#include "image/ImageField.h"
#include "keys/AssignmentKindWords.h"
#include "keys/FunctionTable.h"
#include "keys/HostAction.h"
#include "keys/KeyLookup.h"
#include "util/AsciiText.h"
#include "util/ControlCharacters.h"
#include "util/DecimalText.h"
#include "util/EscapedText.h"
#include "util/HexBytes.h"
#include "util/NearestNames.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

constexpr std::string_view kActions =
    "single VK, combine VK VK [VK], function NAME, macro N, play PATH, startup PATH, "
    "open-file PATH, open-folder PATH, profile NAME, next-profile, previous-profile, "
    "lights-toggle, default, disable or enable";

Error Refuse(std::string message) {
  return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

void SetKind(PendingAssignment& pending, AssignmentKind kind) {
  pending.pending_kind = static_cast<std::uint8_t>(kind);
}

Status CaptureKeys(std::span<const std::string> typed, const KeyNameTable& names,
                   PendingAssignment& pending) {
  for (std::size_t i = 0; i < typed.size(); ++i) {
    auto vk = names.VirtualKeyOfName(typed[i]);
    if (!vk.ok()) {
      // "Ctrl" is what `keys` labels both control keys: name the two instead of none.
      if (KeyLookup::IsAmbiguousWord(typed[i])) {
        auto key = KeyLookup(names).Find(typed[i]);
        return key.ok() ? vk.error() : key.error();
      }
      return vk.error();
    }
    if (*vk == 0) {
      return Refuse("0x00 is no key");
    }
    // The keyboard would get code 0 for it, which silently disables the key.
    if (names.DeviceCodeOf(*vk) == 0) {
      return Refuse("\"" + typed[i] +
                    "\" has no code on the keyboard; use a key name such as "
                    "LCtrl, Del, A or F5 (see n240qx-ctl keys)");
    }
    pending.captured_keys[i] = *vk;
  }
  pending.captured_count = static_cast<int>(typed.size());
  return Status::Ok();
}

std::string Joined(std::span<const std::string> words) {
  std::string text;
  for (const std::string& word : words) {
    text += (text.empty() ? "" : " ") + word;
  }
  return text;
}

bool SameAsciiLetters(std::u16string_view a, std::u16string_view b) {
  const auto lower = [](char16_t c) {
    return c < 0x80 ? static_cast<char16_t>(std::tolower(static_cast<int>(c))) : c;
  };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

Status ChooseFunction(std::span<const std::string> words, PendingAssignment& pending) {
  auto name = Utf16FromUtf8(Joined(words));
  if (!name.ok()) {
    return name.error();
  }
  for (const FunctionRow& row : FunctionTable::Rows()) {
    if (row.name == *name || SameAsciiLetters(row.name, *name)) {
      SetKind(pending, AssignmentKind::kFunction);
      pending.function_name = std::u16string(row.name);
      return Status::Ok();
    }
  }
  std::string allowed;
  std::vector<std::string> names;
  for (const FunctionRow& row : FunctionTable::Rows()) {
    names.push_back(Utf8FromUtf16(row.name));
    allowed += (allowed.empty() ? "\"" : ", \"") + names.back() + "\"";
  }
  const std::vector<std::string_view> choices(names.begin(), names.end());
  return Refuse("unknown function \"" + Joined(words) +
                "\": " + MeantFirst(Joined(words), choices) + "use one of " + allowed);
}

// The path is kept absolute, since the window that carries out the launch has its own folder.
Status ChooseLaunch(AssignmentKind kind, std::span<const std::string> words,
                    PendingAssignment& pending) {
  if (words.size() != 1 || words[0].empty()) {
    return Refuse("a launch action takes one PATH (quote it when it holds spaces)");
  }
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(words[0], ignored);
  auto path = Utf16FromUtf8(absolute.string());
  if (!path.ok()) {
    return path.error();
  }
  // `keys` would show the path escaped, but the window would start a file nobody can type.
  if (HoldsControlCharacter(*path)) {
    return Refuse("a launch path has no control characters: " + EscapedText(*path));
  }
  if (path->size() >= KeyActionEntry::kPathUnits) {
    return Refuse("the path is too long: a key keeps at most " +
                  std::to_string(KeyActionEntry::kPathUnits - 1) + " characters");
  }
  SetKind(pending, kind);
  pending.launch_path = *path;
  return Status::Ok();
}

// Kept as a launch whose path the program owns (HostAction); the profile need not exist yet.
Status ChooseHostAction(HostActionKind kind, std::span<const std::string> words,
                        PendingAssignment& pending) {
  HostAction action{kind, {}};
  if (kind == HostActionKind::kApplyProfile) {
    action.profile = Joined(words);
    if (Status named = ProfileLibrary::CheckName(action.profile); !named.ok()) {
      return Refuse("profile takes the name of a stored profile: " + named.error().message);
    }
  } else if (!words.empty()) {
    return Refuse(std::string(HostAction::WordOf(kind)) + " takes nothing after it");
  }
  SetKind(pending, HostAction::kStoredKind);
  pending.launch_path = action.Path();
  return Status::Ok();
}

Status ChooseMacro(std::span<const std::string> words, PendingAssignment& pending) {
  const int last = static_cast<int>(image_field::kMacroRecordCount) - 1;
  const auto index = words.size() == 1 ? ParseDecimal(words[0], last) : std::nullopt;
  if (!index) {
    return Refuse("macro takes the number of a stored macro, 0-31 (see n240qx-ctl macros)");
  }
  SetKind(pending, AssignmentKind::kMacro);
  pending.macro_index = *index;
  return Status::Ok();
}

Status ChooseSimple(std::string_view action, std::span<const std::string> rest,
                    PendingAssignment& pending) {
  if (!rest.empty()) {
    return Refuse(std::string(action) + " takes nothing after it");
  }
  if (action == "default") {
    pending.captured_count = PendingAssignment::kResetCount;
  } else {
    pending.key_enabled = action == "enable";
  }
  return Status::Ok();
}

bool IsActionWord(std::string_view word) {
  const auto kind = AssignmentKindOfWord(word);
  return (kind && *kind != AssignmentKind::kNone) || HostAction::KindOfWord(word) ||
         word == "default" || word == "disable" || word == "enable";
}

}  // namespace

std::vector<std::span<const std::string>> SplitAssignChanges(std::span<const std::string> words) {
  std::vector<std::span<const std::string>> groups;
  std::size_t start = 0;
  for (std::size_t at = start + 2; at + 1 < words.size(); ++at) {
    if (IsActionWord(words[at + 1])) {
      groups.push_back(words.subspan(start, at - start));
      start = at;
      at = start + 1;
    }
  }
  groups.push_back(words.subspan(start));
  return groups;
}

Status ParseAssignAction(std::span<const std::string> words, const KeyNameTable& names,
                         PendingAssignment& pending) {
  if (words.empty()) {
    return Refuse("assign needs an action: " + std::string(kActions));
  }
  SetKind(pending, AssignmentKind::kNone);
  pending.captured_keys.fill(0);
  pending.captured_count = 0;
  pending.function_name.clear();
  pending.macro_index = PendingAssignment::kNoMacro;
  pending.launch_path.clear();
  const std::string_view action = words[0];
  const auto rest = words.subspan(1);
  const auto kind = AssignmentKindOfWord(action);
  if (kind == AssignmentKind::kSingle || kind == AssignmentKind::kCombine) {
    const bool single = kind == AssignmentKind::kSingle;
    if (single ? rest.size() != 1 : (rest.size() < 2 || rest.size() > 3)) {
      return Refuse(single ? "single takes one key: single VK"
                           : "combine takes two or three keys: combine VK VK [VK]");
    }
    SetKind(pending, *kind);
    return CaptureKeys(rest, names, pending);
  }
  if (kind == AssignmentKind::kFunction) {
    return ChooseFunction(rest, pending);
  }
  if (kind == AssignmentKind::kMacro) {
    return ChooseMacro(rest, pending);
  }
  if (kind && IsLaunchKind(static_cast<std::uint8_t>(*kind))) {
    return ChooseLaunch(*kind, rest, pending);
  }
  if (const auto host = HostAction::KindOfWord(action)) {
    return ChooseHostAction(*host, rest, pending);
  }
  if (action == "default" || action == "disable" || action == "enable") {
    return ChooseSimple(action, rest, pending);
  }
  return Refuse("unknown action \"" + std::string(action) + "\": use " + std::string(kActions));
}

}  // namespace n240qx
