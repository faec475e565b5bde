#include "lighting/EffectTable.h"

namespace n240qx {

namespace {

constexpr std::array<EffectEntry, EffectTable::kRowCount> kRows{{
    {1, "Static", "statisch"},
    {2, "Breathing", "Atmung"},
    {3, "Wave", "Welle"},
    {4, "Reactive", "Reaktiv"},
    {5, "Sidewinder", "Sidewinder"},
    {6, "Ripple", "Ripple"},
    {8, "Spectrum", "Spektrum"},
    {10, "Raindrop", "Regentropfen"},
    {11, "Vortex", "Wirbel"},
    {12, "Spotlight", "Scheinwerfer"},
    {13, "Radar", "Radar"},
    {51, "Lighting Profile 1", "Beleuchtungs Profil 1"},
    {52, "Lighting Profile 2", "Beleuchtungs Profil 2"},
    {53, "Lighting Profile 3", "Beleuchtungs Profil 3"},
    {54, "Lighting Profile 4", "Beleuchtungs Profil 4"},
    {55, "Lighting Profile 5", "Beleuchtungs Profil 5"},
}};

}  // namespace

const std::array<EffectEntry, EffectTable::kRowCount>& EffectTable::Rows() {
  return kRows;
}

std::optional<std::size_t> EffectTable::RowOfCode(std::uint8_t code) {
  for (std::size_t row = 0; row < kRows.size(); ++row) {
    if (kRows[row].code == code) {
      return row;
    }
  }
  return std::nullopt;
}

std::string_view EffectTable::NameOfCode(std::uint8_t code, Language language) {
  const auto row = RowOfCode(code);
  if (!row) {
    return {};
  }
  return language == Language::kGerman ? kRows[*row].german : kRows[*row].english;
}

}  // namespace n240qx
