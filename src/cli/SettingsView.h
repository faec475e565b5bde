#pragma once

#include <ostream>
#include <string>
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

std::vector<ShownSetting> ShownSettings(const ConfigImage& image);

// `read` for people: every setting by name and meaning, the keys whose key map differs from the
// factory's and the disabled ones by name, and the stored macros.
void PrintSettingsText(const ConfiguratorState& state, std::ostream& out);

}  // namespace n240qx
