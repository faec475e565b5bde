#include "cli/ShownKeys.h"

#include "app/KeyTargetText.h"
#include "image/ImageField.h"
#include "keys/KeyLookup.h"
#include "keys/KeyTable.h"

namespace n240qx {

std::string ShownKeyTarget(const ConfiguratorState& state, const ImageBlock& image,
                           const KeyTableRow& row) {
  return KeyTargetText(image.Field(image_field::KeyMapEntry(row.slot)).first<4>(),
                       state.key_actions()[row.index], state.key_names(), state.stored_macros());
}

std::vector<ShownSetting> ShownKeys(const ConfiguratorState& state) {
  const KeyLookup lookup(state.key_names());
  std::vector<ShownSetting> keys;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    const std::string name = lookup.PickName(row);
    const std::string target = ShownKeyTarget(state, state.image(), row);
    const bool enabled = state.image().KeyEnabled(row.slot);
    keys.push_back({name, target, target});
    keys.push_back({name + " enabled", enabled ? "yes" : "no", enabled});
  }
  return keys;
}

}  // namespace n240qx
