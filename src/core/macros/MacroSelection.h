#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "macros/MacroBuffers.h"
#include "macros/MacroStore.h"
#include "util/Result.h"

namespace n240qx {

// What the macro dialog shows for the selected macro, saved into the working copy after every
// change to the working buffers.
struct MacroSelection {
  std::size_t index = 0;         // the selected line of the macro list = the entry index
  std::u16string name;           // the list item's text
  bool loop = false;             // the Loop box
  std::uint16_t loop_count = 1;  // the loop field's number
  bool has_delay = false;        // the delay box
};

// Entry `index` of the working copy takes the name, the repeat count (the loop field's number
// kept within 1-999 when Loop is on, else 1), has_delay and both working buffers. Nothing is
// saved without a selection. A name longer than 254 units is cut; an empty one would end the
// macro list here, so the entry keeps its old name. kInvalidArgument for an index past the store.
Status SaveSelectedMacro(MacroStore& working, const std::optional<MacroSelection>& selected,
                         const MacroBuffers& buffers);

}  // namespace n240qx
