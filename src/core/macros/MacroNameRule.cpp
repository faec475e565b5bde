#include "macros/MacroNameRule.h"

#include "macros/MacroLayout.h"
#include "util/ControlCharacters.h"

namespace n240qx {

MacroNameVerdict CheckMacroName(const MacroStore& store, std::u16string_view name,
                                std::optional<std::size_t> renamed) {
  if (name.empty()) {
    return {MacroNameFault::kEmpty};
  }
  if (name.size() > macro_layout::kMaxNameUnits) {
    return {MacroNameFault::kTooLong};
  }
  if (HoldsControlCharacter(name)) {
    return {MacroNameFault::kControlCharacter};
  }
  for (std::size_t i = 0; i < store.UsedCount(); ++i) {
    if (i != renamed && store.entry(i).Name() == name) {
      return {MacroNameFault::kTaken, i};
    }
  }
  return {};
}

}  // namespace n240qx
