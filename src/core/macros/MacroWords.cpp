#include "macros/MacroWords.h"

#include "macros/HeldKeys.h"
#include "macros/MacroNameRule.h"
#include "macros/MacroScript.h"
#include "util/DecimalText.h"
#include "util/EscapedText.h"
#include "util/HexBytes.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

Error Refuse(std::string message) {
  return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

using Words = std::span<const std::string>;

// What one change works on: the store, the key names its events are typed in, and the
// warnings it collects.
struct Changing {
  MacroStore& store;
  const KeyNameTable& names;
  std::vector<std::string> warnings;
};

Result<std::size_t> StoredIndex(const MacroStore& store, const std::string& typed) {
  const auto index = ParseDecimal(typed, 1000);
  if (!index || static_cast<std::size_t>(*index) >= store.UsedCount()) {
    return Refuse("there is no stored macro " + typed + " (" + std::to_string(store.UsedCount()) +
                  " stored; see n240qx-ctl macros)");
  }
  return static_cast<std::size_t>(*index);
}

Result<std::u16string> CheckedName(const MacroStore& store, const std::string& typed,
                                   std::optional<std::size_t> renamed) {
  auto name = Utf16FromUtf8(typed);
  if (!name.ok()) {
    return name.error();
  }
  const MacroNameVerdict verdict = CheckMacroName(store, *name, renamed);
  switch (verdict.fault) {
    case MacroNameFault::kNone:
      return name;
    case MacroNameFault::kEmpty:
    case MacroNameFault::kTooLong:
      return Refuse("a macro name has 1-" + std::to_string(macro_layout::kMaxNameUnits) +
                    " characters");
    case MacroNameFault::kControlCharacter:
      return Refuse("a macro name has no control characters: " + EscapedText(*name));
    case MacroNameFault::kTaken:
      break;
  }
  return Refuse("macro " + std::to_string(verdict.taken_by) + " is already called " + typed);
}

std::string NameOfKey(const KeyNameTable& names, std::uint8_t vk) {
  std::string name = Utf8FromUtf16(names.KeyNameOf(vk));
  while (!name.empty() && name.back() == ' ') {
    name.pop_back();
  }
  return name.empty() ? "0x" + HexString(std::span(&vk, 1)) : name;
}

void TakeScript(Changing& changing, MacroStoreEntry& entry, const MacroScript& script) {
  entry.key_events = script.buffers.key_events;
  entry.device_events = script.buffers.device_events;
  entry.set_has_delay(script.has_delay);
  for (const std::uint8_t vk : KeysHeldAtEnd(entry.key_events)) {
    changing.warnings.push_back(NameOfKey(changing.names, vk) +
                                " is held down when the macro ends");
  }
}

// Entries behind the deleted one move down; the last used one is cleared.
void DeleteEntry(MacroStore& store, std::size_t index) {
  const std::size_t used = store.UsedCount();
  for (std::size_t i = index; i + 1 < used; ++i) {
    store.entry(i) = store.entry(i + 1);
  }
  store.entry(used - 1).Clear();
}

Result<std::string> NewMacro(Changing& changing, Words rest) {
  MacroStore& store = changing.store;
  if (store.UsedCount() >= macro_layout::kMaxMacros) {
    return Refuse("the keyboard keeps at most " + std::to_string(macro_layout::kMaxMacros) +
                  " macros; delete one first");
  }
  auto name = CheckedName(store, rest[0], std::nullopt);
  auto script = ParseMacroScript(rest.subspan(1), changing.names);
  if (!name.ok() || !script.ok()) {
    return name.ok() ? script.error() : name.error();
  }
  const std::size_t index = store.UsedCount();
  MacroStoreEntry& entry = store.entry(index);
  entry.Clear();
  (void)entry.SetName(*name);
  entry.repeat_count = 1;
  TakeScript(changing, entry, *script);
  return "macro " + std::to_string(index) + " " + EscapedText(*name) + " created";
}

Result<std::string> SetMacro(Changing& changing, Words rest) {
  auto index = StoredIndex(changing.store, rest[0]);
  auto script = index.ok() ? ParseMacroScript(rest.subspan(1), changing.names) : index.error();
  if (!script.ok()) {
    return script.error();
  }
  TakeScript(changing, changing.store.entry(*index), *script);
  return "macro " + rest[0] + " " + EscapedText(changing.store.entry(*index).Name()) + " set";
}

Result<std::string> DeleteMacro(Changing& changing, Words rest) {
  auto index = StoredIndex(changing.store, rest[0]);
  if (!index.ok()) {
    return index.error();
  }
  const std::string name = EscapedText(changing.store.entry(*index).Name());
  DeleteEntry(changing.store, *index);
  return "macro " + rest[0] + " " + name + " deleted";
}

Result<std::string> RenameMacro(Changing& changing, Words rest) {
  auto index = StoredIndex(changing.store, rest[0]);
  auto name = index.ok() ? CheckedName(changing.store, rest[1], *index) : index.error();
  if (!name.ok()) {
    return name.error();
  }
  (void)changing.store.entry(*index).SetName(*name);
  return "macro " + rest[0] + " renamed to " + EscapedText(*name);
}

// As the dialog's loop box: 1 plays once, up to the most the keyboard repeats.
Result<std::string> LoopMacro(Changing& changing, Words rest) {
  auto index = StoredIndex(changing.store, rest[0]);
  if (!index.ok()) {
    return index.error();
  }
  const auto count = ParseDecimal(rest[1], macro_layout::kMaxRepeatCount);
  if (!count || *count < 1) {
    return Refuse("the repeat count " + rest[1] + " is not allowed: use 1-" +
                  std::to_string(macro_layout::kMaxRepeatCount));
  }
  MacroStoreEntry& entry = changing.store.entry(*index);
  entry.repeat_count = static_cast<std::uint16_t>(*count);
  return "macro " + rest[0] + " " + EscapedText(entry.Name()) + " repeats " + rest[1] +
         (*count == 1 ? " time" : " times");
}

struct MacroAction {
  std::string_view name;
  std::size_t min_words;
  std::size_t max_words;
  Result<std::string> (*run)(Changing&, Words);
};

constexpr std::size_t kAnyCount = static_cast<std::size_t>(-1);
constexpr MacroAction kActions[] = {
    {"new", 1, kAnyCount, NewMacro}, {"set", 1, kAnyCount, SetMacro}, {"delete", 1, 1, DeleteMacro},
    {"rename", 2, 2, RenameMacro},   {"loop", 2, 2, LoopMacro},
};

}  // namespace

bool MacroWords::Changes(const std::string& verb) {
  for (const MacroAction& action : kActions) {
    if (verb == action.name) {
      return true;
    }
  }
  return false;
}

Result<MacroWords::Done> MacroWords::Change(MacroStore& store, const KeyNameTable& names,
                                            std::span<const std::string> words) {
  // On a copy: a refused change leaves the store as it was.
  MacroStore changed = store;
  Changing changing{changed, names, {}};
  const auto rest = words.empty() ? words : words.subspan(1);
  for (const MacroAction& action : kActions) {
    if (!words.empty() && words[0] == action.name && rest.size() >= action.min_words &&
        rest.size() <= action.max_words) {
      auto line = action.run(changing, rest);
      if (!line.ok()) {
        return line.error();
      }
      store = std::move(changed);
      return Done{std::move(*line), std::move(changing.warnings)};
    }
  }
  return Refuse(
      "use: macro show N | new NAME EVENT... | set N EVENT... | delete N | rename N NAME | "
      "loop N COUNT");
}

}  // namespace n240qx
