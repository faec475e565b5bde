#include "app/SettingChanges.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "image/ImageField.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingRules.h"
#include "lighting/LightingWords.h"
#include "util/AsciiText.h"
#include "util/DecimalText.h"
#include "util/NearestNames.h"

namespace n240qx {

namespace {

constexpr std::string_view kNames =
    "report_rate, response_time, light_effect, effect_speed, brightness, colour_choice, "
    "light_direction, colour_slot SLOT RRGGBB, game_mode, windows_key_lock (or their short "
    "forms report-rate, response-time, effect, speed, colour-choice, direction, colour, "
    "game-mode, win-lock)";

constexpr std::string_view kSettingNames[] = {
    "report_rate",   "response_time",   "light_effect", "effect_speed", "brightness",
    "colour_choice", "light_direction", "colour_slot",  "game_mode",    "windows_key_lock"};

// The names `read` prints, and the short names of earlier versions.
constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
    {"effect", "light_effect"},        {"speed", "effect_speed"},
    {"direction", "light_direction"},  {"colour", "colour_slot"},
    {"color", "colour_slot"},          {"colour_slots", "colour_slot"},
    {"color_choice", "colour_choice"}, {"win_lock", "windows_key_lock"},
};

// Lower case, "-" as "_", the short forms as the names `read` prints.
std::string CanonicalName(std::string_view typed) {
  std::string name;
  for (const char c : typed) {
    name += c == '-' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  for (const auto& [alias, canonical] : kAliases) {
    if (name == alias) {
      return std::string(canonical);
    }
  }
  return name;
}

Error Refuse(std::string message) {
  return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

Result<std::uint8_t> Number(std::string_view name, std::string_view value, int low, int high) {
  const auto number = ParseDecimal(value, high);
  if (!number || *number < low) {
    return Refuse(std::string(name) + " " + std::string(value) + " is not allowed: use " +
                  std::to_string(low) + "-" + std::to_string(high));
  }
  return static_cast<std::uint8_t>(*number);
}

Result<std::uint8_t> OnOff(std::string_view name, std::string_view value) {
  for (const std::string_view on : {"on", "true", "1"}) {
    if (SameLetters(value, on)) {
      return std::uint8_t{1};
    }
  }
  for (const std::string_view off : {"off", "false", "0"}) {
    if (SameLetters(value, off)) {
      return std::uint8_t{0};
    }
  }
  return Refuse(std::string(name) + " " + std::string(value) + " is not allowed: use on or off");
}

Result<std::uint8_t> Effect(std::string_view value) {
  for (const EffectEntry& row : EffectTable::Rows()) {
    if (SameLetters(value, row.english) || SameLetters(value, row.german)) {
      return row.code;
    }
  }
  if (const auto code = ParseDecimal(value, 255); code && EffectTable::RowOfCode(*code)) {
    return static_cast<std::uint8_t>(*code);
  }
  std::string allowed;
  std::vector<std::string_view> names;
  for (const EffectEntry& row : EffectTable::Rows()) {
    allowed += (allowed.empty() ? "" : ", ") + std::string(row.english) + " (" +
               std::to_string(row.code) + ")";
    names.push_back(row.english);
  }
  return Refuse("effect " + std::string(value) + " is not allowed: " + MeantFirst(value, names) +
                "use one of " + allowed);
}

// As the effect list does: "Static" has no multicolour, "Wave" and "Spectrum" nothing else.
SettingChange EffectChange(std::uint8_t code) {
  return [code](ConfigImage& image) {
    image.light_effect() = code;
    if (code == EffectTable::kStatic && image.colour_choice() == kMulticolourChoice) {
      image.colour_choice() = 1;
    }
    if (LightingRules::ForEffect(code).forced_multicolour) {
      image.colour_choice() = kMulticolourChoice;
    }
  };
}

Result<std::uint8_t> Direction(std::string_view value) {
  if (const auto direction = DirectionOfWord(value)) {
    return *direction;
  }
  // The numbers `read --json` gives.
  if (const auto number = ParseDecimal(value, 4); number && *number >= 1) {
    return static_cast<std::uint8_t>(*number);
  }
  return Refuse("direction " + std::string(value) +
                " is not allowed: use left, right, top or bottom (or 1-4)");
}

Result<std::array<std::uint8_t, 3>> Rgb(std::string_view typed) {
  // "#RRGGBB" as `read` prints it, or "RRGGBB".
  const std::string_view value = typed.starts_with('#') ? typed.substr(1) : typed;
  std::array<std::uint8_t, 3> rgb{};
  bool valid = value.size() == 6;
  for (std::size_t i = 0; valid && i < 3; ++i) {
    const auto part = value.substr(2 * i, 2);
    unsigned byte = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + 2, byte, 16);
    valid = error == std::errc() && end == part.data() + 2;
    rgb[i] = static_cast<std::uint8_t>(byte);
  }
  if (!valid) {
    return Refuse("colour " + std::string(typed) + " is not allowed: use RRGGBB in hex");
  }
  return rgb;
}

using ByteField = std::uint8_t& (ImageBlock::*)();

struct NumberSetting {
  std::string_view name;
  ByteField field;
  int low;
  int high;
};

constexpr NumberSetting kNumberSettings[] = {
    {"effect_speed", &ImageBlock::effect_speed, 0, 9},
    {"brightness", &ImageBlock::brightness, 0, 50},
    {"report_rate", &ImageBlock::report_rate, 0, 3},
    {"response_time", &ImageBlock::response_time, 0, 9},
};

Result<SettingChange> ByteChange(ByteField field, const Result<std::uint8_t>& value) {
  if (!value.ok()) {
    return value.error();
  }
  return SettingChange([field, byte = *value](ConfigImage& image) { (image.*field)() = byte; });
}

Result<SettingChange> ColourChange(std::string_view slot_word, std::string_view rgb_word) {
  auto slot = Number("colour slot", slot_word, 1, 7);
  if (!slot.ok()) {
    return slot.error();
  }
  auto rgb = Rgb(rgb_word);
  if (!rgb.ok()) {
    return rgb.error();
  }
  return SettingChange([slot = *slot, rgb = *rgb](ConfigImage& image) {
    std::copy(rgb.begin(), rgb.end(), image.Field(image_field::ColourSlot(slot - 1)).begin());
  });
}

std::size_t ValueCount(const std::string& name) {
  return name == "colour_slot" ? 2 : 1;
}

// One setting with its value(s) from `words` at `at`; `at` moves past them.
Result<SettingChange> ParseOne(std::span<const std::string> words, std::size_t& at) {
  const std::string& typed = words[at];
  const std::string name = CanonicalName(typed);
  if (std::find(std::begin(kSettingNames), std::end(kSettingNames), name) ==
      std::end(kSettingNames)) {
    return Refuse("unknown setting \"" + typed + "\": " + MeantFirst(name, kSettingNames) + "use " +
                  std::string(kNames));
  }
  const std::size_t needed = ValueCount(name);
  if (at + needed >= words.size()) {
    return Refuse(typed + " needs " + (needed == 2 ? "SLOT RRGGBB" : "a value"));
  }
  const std::string& value = words[at + 1];
  at += needed + 1;
  for (const NumberSetting& setting : kNumberSettings) {
    if (name == setting.name) {
      return ByteChange(setting.field, Number(typed, value, setting.low, setting.high));
    }
  }
  if (name == "light_effect") {
    auto code = Effect(value);
    if (!code.ok()) {
      return code.error();
    }
    return EffectChange(*code);
  }
  if (name == "colour_choice") {
    return ByteChange(&ImageBlock::colour_choice, ColourChoiceOfWord(value)
                                                      ? Result<std::uint8_t>(kMulticolourChoice)
                                                      : Number(typed, value, 1, 8));
  }
  if (name == "light_direction") {
    return ByteChange(&ImageBlock::light_direction, Direction(value));
  }
  if (name == "game_mode") {
    return ByteChange(&ImageBlock::game_mode, OnOff(typed, value));
  }
  if (name == "windows_key_lock") {
    return ByteChange(&ImageBlock::windows_key_lock, OnOff(typed, value));
  }
  return ColourChange(value, words[at - 1]);
}

// "brightness=10" as "brightness 10", as people type it from other tools.
std::vector<std::string> SplitAssignments(std::span<const std::string> words) {
  std::vector<std::string> split;
  for (const std::string& word : words) {
    const auto equals = word.find('=');
    if (equals == std::string::npos || equals == 0) {
      split.push_back(word);
    } else {
      split.push_back(word.substr(0, equals));
      split.push_back(word.substr(equals + 1));
    }
  }
  return split;
}

}  // namespace

Result<std::vector<SettingChange>> ParseSettingChanges(std::span<const std::string> typed) {
  const std::vector<std::string> words = SplitAssignments(typed);
  if (words.empty()) {
    return Refuse("set needs NAME VALUE pairs; names: " + std::string(kNames));
  }
  std::vector<SettingChange> changes;
  std::size_t at = 0;
  while (at < words.size()) {
    auto change = ParseOne(std::span<const std::string>(words), at);
    if (!change.ok()) {
      return change.error();
    }
    changes.push_back(std::move(*change));
  }
  return changes;
}

std::vector<std::pair<std::string, std::string>> SettingWordPairs(
    std::span<const std::string> typed) {
  const std::vector<std::string> words = SplitAssignments(typed);
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t at = 0; at < words.size();) {
    const std::size_t needed = ValueCount(CanonicalName(words[at]));
    std::string value;
    for (std::size_t i = 1; i <= needed && at + i < words.size(); ++i) {
      value += (i == 1 ? "" : " ") + words[at + i];
    }
    pairs.emplace_back(CanonicalName(words[at]), std::move(value));
    at += needed + 1;
  }
  return pairs;
}

}  // namespace n240qx
