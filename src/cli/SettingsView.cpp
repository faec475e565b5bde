#include "cli/SettingsView.h"

#include "app/KeyTargetText.h"
#include "image/ImageField.h"
#include "keys/FactoryKeyMap.h"
#include "keys/KeyLookup.h"
#include "keys/KeyTable.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingWords.h"
#include "util/AsciiText.h"
#include "util/DecimalText.h"
#include "util/EscapedText.h"
#include "util/HexBytes.h"

namespace n240qx {

namespace {

ShownSetting Number(const char* name, std::uint8_t value) {
  return {name, std::to_string(value), std::int64_t{value}};
}

ShownSetting OnOff(const char* name, std::uint8_t value) {
  // Anything but 0 is on, as the window's toggles draw it.
  return {name, value != 0 ? "on" : "off", value != 0};
}

std::string EffectText(std::uint8_t code) {
  const auto name = EffectTable::NameOfCode(code, Language::kEnglish);
  return name.empty() ? "unknown (" + std::to_string(code) + ")" : std::string(name);
}

std::string ColourChoiceText(std::uint8_t choice) {
  if (const std::string_view word = ColourChoiceWord(choice); !word.empty()) {
    return std::string(word);
  }
  return choice >= 1 && choice <= 7 ? "slot " + std::to_string(choice)
                                    : "unknown (" + std::to_string(choice) + ")";
}

std::string DirectionText(std::uint8_t direction) {
  const std::string_view word = DirectionWord(direction);
  return word.empty() ? "unknown (" + std::to_string(direction) + ")" : std::string(word);
}

void AddColourSlots(const ConfigImage& image, std::vector<ShownSetting>& settings) {
  for (std::size_t slot = 0; slot < image_field::kColourSlotCount; ++slot) {
    const std::string hex = HexString(image.Field(image_field::ColourSlot(slot)));
    settings.push_back({std::string(kColourSlotPrefix) + std::to_string(slot + 1), "#" + hex, hex});
  }
}

void PrintChangedKeys(const ConfiguratorState& state, const KeyLookup& lookup, std::ostream& out) {
  out << "changed_keys:";
  bool any = false;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    const auto entry = state.image().Field(image_field::KeyMapEntry(row.slot));
    if (KeyMapEntry::FromBytes(entry.first<4>()) != FactoryKeyMapEntry(row.slot)) {
      out << "\n  " << lookup.PickName(row) << ": "
          << KeyTargetText(entry.first<4>(), state.key_actions()[row.index], state.key_names(),
                           state.stored_macros());
      any = true;
    }
  }
  out << (any ? "\n" : " none\n");
}

void PrintDisabledKeys(const ConfiguratorState& state, const KeyLookup& lookup, std::ostream& out) {
  std::string names;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (!state.image().KeyEnabled(row.slot)) {
      names += (names.empty() ? " " : ", ") + lookup.PickName(row);
    }
  }
  out << "disabled_keys:" << (names.empty() ? " none" : names) << '\n';
}

void PrintMacros(const MacroStore& macros, std::ostream& out) {
  out << "macros:" << (macros.UsedCount() == 0 ? " none" : "") << '\n';
  for (std::size_t index = 0; index < macros.UsedCount(); ++index) {
    out << "  " << index << ": " << EscapedText(macros.entry(index).Name()) << '\n';
  }
}

}  // namespace

std::vector<ShownSetting> ShownSettings(const ConfigImage& image) {
  std::vector<ShownSetting> settings = {
      Number("report_rate", image.report_rate()),
      Number("response_time", image.response_time()),
      {"light_effect", EffectText(image.light_effect()), std::int64_t{image.light_effect()}},
      Number("effect_speed", image.effect_speed()),
      Number("brightness", image.brightness()),
      {"colour_choice", ColourChoiceText(image.colour_choice()),
       std::int64_t{image.colour_choice()}},
      {"light_direction", DirectionText(image.light_direction()),
       std::int64_t{image.light_direction()}},
      OnOff("game_mode", image.game_mode()),
      OnOff("windows_key_lock", image.windows_key_lock()),
  };
  AddColourSlots(image, settings);
  return settings;
}

bool IsColourSlot(const ShownSetting& setting) {
  return setting.name.starts_with(kColourSlotPrefix);
}

void PrintSettingsText(const ConfiguratorState& state, std::ostream& out) {
  out << "firmware: "
      << (state.firmware() ? std::to_string(state.firmware()->major) + "." +
                                 std::to_string(state.firmware()->minor)
                           : std::string("unknown"))
      << '\n';
  std::string colours;
  for (const ShownSetting& setting : ShownSettings(state.image())) {
    if (IsColourSlot(setting)) {
      colours += " " + setting.text;
    } else {
      out << setting.name << ": " << setting.text << '\n';
    }
  }
  out << "colour_slots:" << colours << '\n';
  const KeyLookup lookup(state.key_names());
  PrintChangedKeys(state, lookup, out);
  PrintDisabledKeys(state, lookup, out);
  PrintMacros(state.stored_macros(), out);
}

}  // namespace n240qx
