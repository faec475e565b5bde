#include "keys/KeyNameTable.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

#include "util/NearestNames.h"

namespace n240qx {

namespace {

struct FixedName {
  std::uint8_t vk;
  std::u16string_view name;
  std::uint8_t device_code;
};

// Media keys carry the low byte of their consumer usage; the key assignment turns those four
// into consumer entries. 0xF0-0xF9 are the keyboard's own mouse functions.
constexpr FixedName kFixedNames[] = {
    {0x08, u"Back ", 0x2A},
    {0x09, u"Tab ", 0x2B},
    {0x0D, u"Enter ", 0x28},
    {0x13, u"Pause ", 0x48},
    {0x14, u"Caps ", 0x39},
    {0x1B, u"Esc ", 0x29},
    {0x20, u"Space ", 0x2C},
    {0x21, u"PgUp ", 0x4B},
    {0x22, u"PgDn ", 0x4E},
    {0x23, u"End ", 0x4D},
    {0x24, u"Home ", 0x4A},
    {0x25, u"Left ", 0x50},
    {0x26, u"Up ", 0x52},
    {0x27, u"Right ", 0x4F},
    {0x28, u"Down ", 0x51},
    {0x2C, u"Prscr ", 0x46},
    {0x2D, u"Inst ", 0x49},
    {0x2E, u"Del ", 0x4C},
    {0x5B, u"LWin ", 0xE3},
    {0x5C, u"RWin ", 0xE7},
    {0x5D, u"Apps ", 0x65},
    {0x60, u"0-num ", 0x62},
    {0x61, u"1-num ", 0x59},
    {0x62, u"2-num ", 0x5A},
    {0x63, u"3-num ", 0x5B},
    {0x64, u"4-num ", 0x5C},
    {0x65, u"5-num ", 0x5D},
    {0x66, u"6-num ", 0x5E},
    {0x67, u"7-num ", 0x5F},
    {0x68, u"8-num ", 0x60},
    {0x69, u"9-num ", 0x61},
    {0x6A, u"* ", 0x55},
    {0x6B, u"+ ", 0x57},
    {0x6C, u"Enter ", 0x58},
    {0x6D, u"- ", 0x56},
    {0x6E, u". ", 0x63},
    {0x6F, u"/ ", 0x54},
    {0x90, u"Num ", 0x53},
    {0x91, u"Scrol ", 0x47},
    {0xA0, u"LShift ", 0xE1},
    {0xA1, u"RShift ", 0xE5},
    {0xA2, u"LCtrl ", 0xE0},
    {0xA3, u"RCtrl ", 0xE4},
    {0xA4, u"LAlt ", 0xE2},
    {0xA5, u"RAlt ", 0xE6},
    {0xAE, u"Volume DOWN ", 0xEA},
    {0xAF, u"Volume UP ", 0xE9},
    {0xB3, u"Play/Pause", 0xCD},
    {0xB5, u"Media ", 0x83},
    {0xBA, u"; ", 0x33},
    {0xBB, u"= ", 0x2E},
    {0xBC, u", ", 0x36},
    {0xBD, u"- ", 0x2D},
    {0xBE, u". ", 0x37},
    {0xBF, u"/ ", 0x38},
    {0xC0, u"` ", 0x35},
    {0xDB, u"[ ", 0x2F},
    {0xDC, u"\\ ", 0x32},
    {0xDD, u"] ", 0x30},
    {0xDE, u"' ", 0x34},
    {0xF0, u"MsLB", 0xF0},
    {0xF1, u"MsRB", 0xF1},
    {0xF2, u"MsMB", 0xF2},
    {0xF3, u"", 0xF3},
    {0xF4, u"", 0xF4},
    {0xF5, u"Mouse Pointer Right", 0xF5},
    {0xF6, u"Mouse Pointer Up", 0xF6},
    {0xF7, u"Mouse pointer Down", 0xF7},
    {0xF8, u"Mouse Wheel Up", 0xF8},
    {0xF9, u"Mouse Wheel Down", 0xF9},
};

constexpr bool IsKeypad(std::uint8_t vk) {
  return vk >= 0x60 && vk <= 0x6F;
}

std::u16string Ascii(std::string_view text) {
  return {text.begin(), text.end()};
}

std::optional<std::uint8_t> ParseHexCode(std::string_view text) {
  if (text.size() < 3 || text.size() > 4 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
    return std::nullopt;
  }
  unsigned value = 0;
  const char* first = text.data() + 2;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, value, 16);
  if (error != std::errc() || end != last || value > 0xFF) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(value);
}

// Compares typed ASCII with a stored name whose single trailing space is not typed.
bool NameMatches(const std::u16string& stored, std::string_view typed) {
  std::u16string_view name = stored;
  if (!name.empty() && name.back() == u' ') {
    name.remove_suffix(1);
  }
  if (name.empty() || name.size() != typed.size()) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto typed_char = static_cast<unsigned char>(typed[i]);
    if (name[i] > 0x7F ||
        std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(typed_char)) {
      return false;
    }
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

KeyNameTable::KeyNameTable() {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].vk = static_cast<std::uint8_t>(i);
  }
}

Result<std::uint8_t> KeyNameTable::VirtualKeyOfName(std::string_view name) const {
  const std::string_view typed = Trimmed(name);
  if (const auto code = ParseHexCode(typed)) {
    return *code;
  }
  // Main block first, keypad second: "." means the main-block full stop.
  for (const bool keypad_pass : {false, true}) {
    for (const auto& entry : entries_) {
      if (IsKeypad(entry.vk) == keypad_pass && NameMatches(entry.name, typed)) {
        return entry.vk;
      }
    }
  }
  return Error{ErrorCode::kInvalidArgument, "unknown key name \"" + std::string(typed) +
                                                "\": " + MeantName(typed) +
                                                "use a key name such as LCtrl, " +
                                                "Del, A or F5, or a virtual-key code such as 0x41"};
}

// "did you mean LCtrl? " when a name of the table is near `typed`.
std::string KeyNameTable::MeantName(std::string_view typed) const {
  std::vector<std::string> stored;
  for (const auto& entry : entries_) {
    std::string name;
    for (const char16_t unit : entry.name) {
      name += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    while (!name.empty() && name.back() == ' ') {
      name.pop_back();
    }
    if (!name.empty()) {
      stored.push_back(std::move(name));
    }
  }
  const std::vector<std::string_view> names(stored.begin(), stored.end());
  return MeantFirst(typed, names);
}

void BuildKeyNameTable(KeyNameTable& table) {
  table = KeyNameTable();
  for (unsigned vk = 0x41; vk <= 0x5A; ++vk) {
    auto& entry = table.Entry(static_cast<std::uint8_t>(vk));
    entry.device_code = static_cast<std::uint8_t>(vk - 0x3D);
    entry.name = {static_cast<char16_t>(vk), u' '};
  }
  // The zero key's name has no trailing space, unlike every other digit.
  table.Entry(0x30).device_code = 0x27;
  table.Entry(0x30).name = u"0";
  for (unsigned vk = 0x31; vk <= 0x39; ++vk) {
    auto& entry = table.Entry(static_cast<std::uint8_t>(vk));
    entry.device_code = static_cast<std::uint8_t>(vk - 0x13);
    entry.name = {static_cast<char16_t>(vk), u' '};
  }
  for (unsigned vk = 0x70; vk <= 0x7B; ++vk) {
    auto& entry = table.Entry(static_cast<std::uint8_t>(vk));
    entry.device_code = static_cast<std::uint8_t>(vk - 0x36);
    entry.name = Ascii("F" + std::to_string(vk - 0x6F) + " ");
  }
  for (const auto& fixed : kFixedNames) {
    auto& entry = table.Entry(fixed.vk);
    entry.device_code = fixed.device_code;
    entry.name = std::u16string(fixed.name);
  }
}

KeyNameTable BuildKeyNameTable() {
  KeyNameTable table;
  BuildKeyNameTable(table);
  return table;
}

}  // namespace n240qx
