#include "keys/KeyLookup.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "keys/KeyTable.h"
#include "util/AsciiText.h"
#include "util/NearestNames.h"

namespace n240qx {

namespace {

// Each of these is printed on, or commonly said of, two keys (main block and keypad, left and
// right, the key that types it shifted); typed bare they are refused, whatever this layout has.
constexpr std::string_view kAmbiguousWords[] = {"/",   "*",     "-",    "+",   ".",  "Enter",
                                                "Ent", "Shift", "Ctrl", "Alt", "Win"};

bool IsKeypad(const KeyTableRow& row) {
  return row.vk >= 0x60 && row.vk <= 0x6F;
}

std::optional<std::size_t> IndexAfterHash(std::string_view text) {
  if (text.size() < 2 || text[0] != '#') {
    return std::nullopt;
  }
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::string HexText(std::uint8_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[value >> 4] + kDigits[value & 0xF];
}

// Keys whose label or name equals `word`, each once, in key order.
template <typename Matches>
std::vector<const KeyTableRow*> RowsWhere(Matches matches) {
  std::vector<const KeyTableRow*> rows;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (matches(row)) {
      rows.push_back(&row);
    }
  }
  return rows;
}

Error Unknown(std::string_view typed, std::string hint) {
  return Error{ErrorCode::kInvalidArgument,
               "unknown key \"" + std::string(typed) + "\": " + std::move(hint)};
}

}  // namespace

bool KeyLookup::IsAmbiguousWord(std::string_view word) {
  return std::any_of(std::begin(kAmbiguousWords), std::end(kAmbiguousWords),
                     [&](std::string_view ambiguous) { return SameLetters(word, ambiguous); });
}

// The key name table's name without its trailing space ("LShift", "1-num"); ASCII throughout.
std::string KeyLookup::NameOf(const KeyTableRow& row) const {
  const std::u16string& name = names_.KeyNameOf(row.vk);
  std::string text(name.begin(), name.end());
  while (!text.empty() && text.back() == ' ') {
    text.pop_back();
  }
  return text;
}

// The keypad's keys are "Num" and their label; elsewhere a label or key name that no other
// key outside the keypad carries and that is not a bare ambiguous word.
std::string KeyLookup::PickName(const KeyTableRow& row) const {
  if (IsKeypad(row)) {
    return "Num" + std::string(row.label == "Ent" ? "Enter" : row.label);
  }
  const auto unique_outside_keypad = [&](const std::string& word, auto text_of) {
    if (word.empty() || IsAmbiguousWord(word)) {
      return false;
    }
    return RowsWhere([&](const KeyTableRow& other) {
             return !IsKeypad(other) && SameLetters(text_of(other), word);
           }).size() == 1;
  };
  const std::string label(row.label);
  if (unique_outside_keypad(label, [](const KeyTableRow& other) { return other.label; })) {
    return label;
  }
  const std::string name = NameOf(row);
  if (unique_outside_keypad(name, [&](const KeyTableRow& other) { return NameOf(other); })) {
    return name;
  }
  return "#" + std::to_string(row.index);
}

std::string KeyLookup::Candidate(const KeyTableRow& row) const {
  const std::string name = PickName(row);
  return name.front() == '#' ? name + " (" + HexText(row.vk) + ")"
                             : name + " (#" + std::to_string(row.index) + ")";
}

// "did you mean LCtrl? " when the names that pick a key hold one near `typed`.
std::string KeyLookup::MeantKey(std::string_view typed) const {
  std::vector<std::string> picks;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (std::string name = PickName(row); name.front() != '#') {
      picks.push_back(std::move(name));
    }
  }
  const std::vector<std::string_view> names(picks.begin(), picks.end());
  return MeantFirst(typed, names);
}

Error KeyLookup::Ambiguous(std::string_view typed,
                           const std::vector<const KeyTableRow*>& rows) const {
  std::string candidates;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    candidates += (i == 0 ? "" : i + 1 == rows.size() ? " or " : ", ") + Candidate(*rows[i]);
  }
  return Error{ErrorCode::kInvalidArgument,
               "key \"" + std::string(typed) + "\" is ambiguous: say " + candidates};
}

Result<const KeyTableRow*> KeyLookup::Find(std::string_view typed) const {
  if (const auto index = IndexAfterHash(typed)) {
    if (const KeyTableRow* row = KeyTable::ByIndex(*index)) {
      return row;
    }
    return Unknown(typed, "key indices are #0 to #107 (see n240qx-ctl keys)");
  }
  if (const auto vk = ParseHexByte(typed)) {
    const auto rows = RowsWhere([&](const KeyTableRow& row) { return row.vk == *vk; });
    if (rows.size() > 1) {
      return Ambiguous(typed, rows);
    }
    if (rows.empty()) {
      return Unknown(typed, "no key of this keyboard has that virtual-key code");
    }
    return rows.front();
  }
  if (IsAmbiguousWord(typed)) {
    return Ambiguous(typed, RowsWhere([&](const KeyTableRow& row) {
                       const std::string name = NameOf(row);
                       return SameLetters(row.label, typed) || SameLetters(name, typed) ||
                              (name.size() == typed.size() + 1 &&
                               (name.front() == 'L' || name.front() == 'R') &&
                               SameLetters(std::string_view(name).substr(1), typed));
                     }));
  }
  auto rows = RowsWhere([&](const KeyTableRow& row) { return SameLetters(PickName(row), typed); });
  if (rows.empty()) {
    rows = RowsWhere([&](const KeyTableRow& row) { return SameLetters(NameOf(row), typed); });
  }
  if (rows.size() > 1) {
    return Ambiguous(typed, rows);
  }
  if (rows.empty()) {
    const bool number = !typed.empty() && std::all_of(typed.begin(), typed.end(), [](char c) {
      return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
    return Unknown(typed, number ? "a key index is written #" + std::string(typed)
                                 : MeantKey(typed) +
                                       "use a key's name or label such as Q, Esc, 1 or Num1, its "
                                       "index such as #42, or its virtual-key code such as 0x51 "
                                       "(see n240qx-ctl keys)");
  }
  return rows.front();
}

}  // namespace n240qx
