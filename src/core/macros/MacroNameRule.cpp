#include "macros/MacroNameRule.h"

#include <algorithm>

#include "macros/MacroLayout.h"

namespace n240qx {

namespace {

bool IsControl(char16_t unit) {
  return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

}  // namespace

MacroNameVerdict CheckMacroName(const MacroStore& store, std::u16string_view name,
                                std::optional<std::size_t> renamed) {
  if (name.empty()) {
    return {MacroNameFault::kEmpty};
  }
  if (name.size() > macro_layout::kMaxNameUnits) {
    return {MacroNameFault::kTooLong};
  }
  if (std::ranges::any_of(name, IsControl)) {
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
