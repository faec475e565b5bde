#include "keys/KeyboardViewMarking.h"

#include "image/ImageField.h"
#include "keys/FactoryKeyMap.h"
#include "keys/KeyIndex.h"
#include "keys/KeyTable.h"

namespace n240qx {

bool IsCustomisedKey(const ConfigImage& image, const KeyActionEntry& action, std::uint8_t slot) {
  const auto entry = image.Field(image_field::KeyMapEntry(slot));
  if (entry[2] != FactoryKeyMapEntry(slot).p2) {
    return true;
  }
  if (action.kind != 0) {
    return true;
  }
  if (action.count == 1 && action.data[0] != action.key_vk) {
    return true;
  }
  return !image.KeyEnabled(slot);
}

void RecomputeCustomisedKeyFlags(const ConfigImage& image, const KeyActionTable& actions,
                                 CustomisedKeyFlags& flags) {
  flags.Clear();
  for (const KeyTableRow& row : KeyTable::Rows()) {
    flags.Set(row.index, IsCustomisedKey(image, actions[row.index], row.slot));
  }
  flags.Set(key_index::kFn, false);
}

}  // namespace n240qx
