#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/ConfiguratorState.h"
#include "cli/JsonWriter.h"

namespace n240qx {

// One setting as `read` shows it and `set` takes it: its name, its meaning in words, and its
// value for JSON (numbers for ranges and codes, booleans for on/off settings).
struct ShownSetting {
  std::string name;
  std::string text;
  JsonScalar value;
};

// The single settings, then each colour slot as "colour_slot_N" ("#RRGGBB", JSON "RRGGBB").
std::vector<ShownSetting> ShownSettings(const ConfigImage& image);
inline constexpr std::string_view kColourSlotPrefix = "colour_slot_";
bool IsColourSlot(const ShownSetting& setting);

// `read` for people: every setting by name and meaning, the keys whose key map differs from the
// factory's and the disabled ones by name, and the stored macros.
void PrintSettingsText(const ConfiguratorState& state, std::ostream& out);

}  // namespace n240qx
