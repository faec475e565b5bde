#include "lighting/LightingRules.h"

#include "lighting/EffectTable.h"
#include "lighting/LightingPage.h"

namespace n240qx {

namespace {
// Every code above this one is a per-key lighting profile as far as the page is concerned.
constexpr std::uint8_t kLastBuiltInRange = 50;
// The speed slider goes one code earlier than the colour area: 50 itself has no speed.
constexpr std::uint8_t kFirstCodeWithoutSpeed = 50;
}  // namespace

LightingRules LightingRules::ForEffect(std::uint8_t code) {
  LightingRules rules;
  const bool built_in = code <= kLastBuiltInRange;
  rules.speed_slider = code < kFirstCodeWithoutSpeed && code != EffectTable::kStatic;
  rules.colour_area = built_in;
  rules.multicolour = built_in && code != EffectTable::kStatic;
  rules.forced_multicolour = code == EffectTable::kWave || code == EffectTable::kSpectrum;
  rules.direction_arrows = code == EffectTable::kWave || code == EffectTable::kRadar;
  rules.per_key_choice = !built_in;
  return rules;
}

std::optional<std::size_t> LightingRules::ColourTableOf(std::uint8_t code) {
  if (code < EffectTable::kFirstProfile || code > EffectTable::kLastProfile) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(code - EffectTable::kFirstProfile);
}

std::uint8_t LightingRules::ShownColourChoice(std::uint8_t choice) const {
  if (forced_multicolour || choice > LightingPage::kMulticolour) {
    return LightingPage::kMulticolour;
  }
  return choice == 0 ? std::uint8_t{1} : choice;
}

}  // namespace n240qx
