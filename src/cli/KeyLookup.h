#pragma once

#include <string_view>

#include "keys/KeyTableRow.h"
#include "util/Result.h"

namespace n240qx {

// A key as typed: its index (0-107), its virtual-key code "0xNN", or its label ("Q", "Esc";
// letters in any case). A plain number is always the index, so the digit keys are reached by
// their code (0x31) or index. kInvalidArgument, with what is accepted, for anything else.
Result<const KeyTableRow*> FindKey(std::string_view typed);

}  // namespace n240qx
