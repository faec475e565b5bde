#include "keys/HostActionKeys.h"

#include <algorithm>

#include "image/ImageField.h"
#include "keys/HostAction.h"
#include "keys/KeyTable.h"
#include "keys/KeyboardViewMarking.h"

namespace n240qx {

void KeepHostActionKeys(const ConfigImage& image_before, const KeyActionTable& actions_before,
                        ConfigImage& image, KeyActionTable& actions) {
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (!HostAction::Of(actions_before[row.index]) ||
        IsCustomisedKey(image, actions[row.index], row.slot)) {
      continue;
    }
    const ImageField entry = image_field::KeyMapEntry(row.slot);
    std::ranges::copy(image_before.Field(entry), image.Field(entry).begin());
    actions[row.index] = actions_before[row.index];
  }
}

}  // namespace n240qx
