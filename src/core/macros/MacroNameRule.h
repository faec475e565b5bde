#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "macros/MacroStore.h"

namespace n240qx {

// Why a name cannot be given to a macro, for the macro dialog and n240qx-ctl alike: the lists
// show names, a control character breaks a line, and two alike could not be told apart.
enum class MacroNameFault {
  kNone,
  kEmpty,
  kTooLong,  // more than macro_layout::kMaxNameUnits units
  kControlCharacter,
  kTaken,  // another used macro has it; `taken_by` says which
};

struct MacroNameVerdict {
  MacroNameFault fault = MacroNameFault::kNone;
  std::size_t taken_by = 0;
};

// `renamed`: the macro that is to take the name, which may keep its own.
MacroNameVerdict CheckMacroName(const MacroStore& store, std::u16string_view name,
                                std::optional<std::size_t> renamed);

}  // namespace n240qx
