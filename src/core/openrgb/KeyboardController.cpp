#include "openrgb/KeyboardController.h"

#include <algorithm>
#include <set>

#include "keys/KeyLookup.h"
#include "keys/KeyNameTable.h"
#include "keys/KeyTable.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingRules.h"

namespace n240qx {

namespace {

namespace field = image_field;

// A plain key is 25 pixels wide in the keyboard drawing; its centre picks the column, so the
// matrix keeps the drawing's gaps between key blocks.
constexpr int kKeyPitch = 25;
// The colour choice past the seven slots: every slot at once.
constexpr std::uint8_t kMulticolourChoice = 8;
constexpr std::uint32_t kSpeedMax = 9;
constexpr std::uint32_t kBrightnessMax = 50;
constexpr std::uint8_t kDirectionCodes[] = {1, 2, 3, 4};  // left, right, top, bottom

std::uint8_t CustomCode(const ConfigImage& image) {
  // A lighting profile already shown stays the one "Custom" edits.
  return LightingRules::ColourTableOf(image.light_effect()) ? image.light_effect()
                                                            : EffectTable::kFirstProfile;
}

std::uint32_t SdkDirection(std::uint8_t code) {
  for (std::uint32_t i = 0; i < std::size(kDirectionCodes); ++i) {
    if (kDirectionCodes[i] == code) {
      return i;
    }
  }
  return sdk::kDirectionLeft;
}

bool Drawn(const KeyTableRow& row) {
  return !row.rect.Empty();
}

}  // namespace

KeyboardController::KeyboardController() {
  for (const EffectEntry& entry : EffectTable::Rows()) {
    if (!LightingRules::ColourTableOf(entry.code)) {
      built_in_codes_.push_back(entry.code);
    }
  }
  const KeyNameTable names = BuildKeyNameTable();
  const KeyLookup lookup(names);
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (Drawn(row)) {
      leds_.push_back(SdkLed{lookup.PickName(row), row.index});
      led_slots_.push_back(row.slot);
    }
  }
}

SdkMode KeyboardController::BuiltInMode(const ConfigImage& image, std::uint8_t code) const {
  const LightingRules rules = LightingRules::ForEffect(code);
  SdkMode mode{.name = std::string(EffectTable::NameOfCode(code, Language::kEnglish)),
               .value = code,
               .flags = sdk::kModeHasBrightness,
               .speed_max = kSpeedMax,
               .brightness_max = kBrightnessMax,
               .speed = image.effect_speed(),
               .brightness = image.brightness(),
               .direction = SdkDirection(image.light_direction())};
  if (rules.speed_slider) {
    mode.flags |= sdk::kModeHasSpeed;
  }
  if (rules.direction_arrows) {
    mode.flags |= sdk::kModeHasDirectionLr | sdk::kModeHasDirectionUd;
  }
  if (rules.multicolour) {
    mode.flags |= sdk::kModeHasRandomColour;
  }
  if (rules.colour_area && !rules.forced_multicolour) {
    mode.flags |= sdk::kModeHasModeSpecificColour;
    mode.colours_min = mode.colours_max = field::kColourSlotCount;
    for (std::size_t slot = 0; slot < field::kColourSlotCount; ++slot) {
      const auto rgb = image.Field(field::ColourSlot(slot));
      mode.colours.push_back(RgbColour{rgb[0], rgb[1], rgb[2]});
    }
  }
  const bool random = rules.forced_multicolour ||
                      (rules.multicolour && image.colour_choice() == kMulticolourChoice);
  mode.colour_mode = random              ? sdk::kColourModeRandom
                     : rules.colour_area ? sdk::kColourModeModeSpecific
                                         : sdk::kColourModeNone;
  return mode;
}

SdkMode KeyboardController::CustomMode(const ConfigImage& image) const {
  return SdkMode{.name = "Custom",
                 .value = CustomCode(image),
                 .flags = sdk::kModeHasPerLedColour | sdk::kModeHasBrightness,
                 .brightness_max = kBrightnessMax,
                 .brightness = image.brightness(),
                 .colour_mode = sdk::kColourModePerLed};
}

SdkZone KeyboardController::Zone() const {
  std::set<int> tops;
  int left = KeyTable::Rows()[0].rect.left;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (Drawn(row)) {
      tops.insert(row.rect.top);
      left = std::min(left, row.rect.left);
    }
  }
  const auto column_of = [left](const KeyTableRow& row) {
    return static_cast<std::uint32_t>(((row.rect.left + row.rect.right) / 2 - left) / kKeyPitch);
  };
  SdkZone zone{.name = "Keyboard",
               .leds_count = static_cast<std::uint32_t>(leds_.size()),
               .matrix_height = static_cast<std::uint32_t>(tops.size())};
  for (const SdkLed& led : leds_) {
    zone.matrix_width = std::max(zone.matrix_width, column_of(*KeyTable::ByIndex(led.value)) + 1);
  }
  zone.matrix.assign(std::size_t{zone.matrix_height} * zone.matrix_width, sdk::kNoLed);
  for (std::uint32_t i = 0; i < leds_.size(); ++i) {
    const KeyTableRow& row = *KeyTable::ByIndex(leds_[i].value);
    const auto line =
        static_cast<std::size_t>(std::distance(tops.begin(), tops.find(row.rect.top)));
    zone.matrix[line * zone.matrix_width + column_of(row)] = i;
  }
  return zone;
}

SdkController KeyboardController::Describe(const ConfigImage& image, const std::string& version,
                                           const std::string& location) const {
  SdkController controller{
      .name = "N240QX Keyboard",
      .vendor = "N240QX Configurator",
      .description =
          "Gaming keyboard served by the N240QX Configurator; per-key colours are "
          "written to the keyboard at most once a second",
      .version = version,
      .location = location};
  for (const std::uint8_t code : built_in_codes_) {
    controller.modes.push_back(BuiltInMode(image, code));
  }
  controller.modes.push_back(CustomMode(image));
  const auto active = std::ranges::find(built_in_codes_, image.light_effect());
  controller.active_mode = static_cast<std::int32_t>(active - built_in_codes_.begin());
  controller.zones.push_back(Zone());
  controller.leds = leds_;
  controller.colours = LedColours(image);
  return controller;
}

std::vector<RgbColour> KeyboardController::LedColours(const ConfigImage& image) const {
  const auto table = *LightingRules::ColourTableOf(CustomCode(image));
  const auto entries = image.Field(field::ColourTable(table));
  std::vector<RgbColour> colours;
  for (const std::uint8_t slot : led_slots_) {
    const std::size_t at = 4 * std::size_t{slot};
    colours.push_back(RgbColour{entries[at + 1], entries[at + 2], entries[at + 3]});
  }
  return colours;
}

bool KeyboardController::SetLedColours(ConfigImage& image, std::size_t first_led,
                                       std::span<const RgbColour> colours) const {
  if (first_led > leds_.size() || colours.size() > leds_.size() - first_led) {
    return false;
  }
  const auto table = *LightingRules::ColourTableOf(CustomCode(image));
  auto entries = image.Field(field::ColourTable(table));
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const std::size_t at = 4 * std::size_t{led_slots_[first_led + i]};
    entries[at + 1] = colours[i].red;
    entries[at + 2] = colours[i].green;
    entries[at + 3] = colours[i].blue;
  }
  return true;
}

bool KeyboardController::SetMode(ConfigImage& image, std::size_t index, const SdkMode& mode) const {
  if (index > custom_mode_index()) {
    return false;
  }
  const std::uint8_t code =
      index == custom_mode_index() ? CustomCode(image) : built_in_codes_[index];
  const SdkMode offered =
      index == custom_mode_index() ? CustomMode(image) : BuiltInMode(image, code);
  image.light_effect() = code;
  image.brightness() = static_cast<std::uint8_t>(std::min(mode.brightness, kBrightnessMax));
  if (offered.flags & sdk::kModeHasSpeed) {
    image.effect_speed() = static_cast<std::uint8_t>(std::min(mode.speed, kSpeedMax));
  }
  if ((offered.flags & sdk::kModeHasDirectionLr) && mode.direction < std::size(kDirectionCodes)) {
    image.light_direction() = kDirectionCodes[mode.direction];
  }
  if ((offered.flags & sdk::kModeHasModeSpecificColour) &&
      mode.colour_mode == sdk::kColourModeModeSpecific) {
    for (std::size_t slot = 0; slot < std::min(mode.colours.size(), field::kColourSlotCount);
         ++slot) {
      auto rgb = image.Field(field::ColourSlot(slot));
      rgb[0] = mode.colours[slot].red;
      rgb[1] = mode.colours[slot].green;
      rgb[2] = mode.colours[slot].blue;
    }
    if (image.colour_choice() == 0 || image.colour_choice() >= kMulticolourChoice) {
      image.colour_choice() = 1;
    }
  } else if ((offered.flags & sdk::kModeHasRandomColour) &&
             mode.colour_mode == sdk::kColourModeRandom) {
    image.colour_choice() = kMulticolourChoice;
  }
  return true;
}

}  // namespace n240qx
