#pragma once

#include <vector>

#include "dialogs/MacroDialogModel.h"
#include "paint/PaintOp.h"
#include "util/Language.h"

namespace n240qx {

// Everything the macro dialog draws besides its controls, in order: the background, the Record
// button with its text, the delay and Loop boxes with their labels, the four push buttons with
// theirs, and the selected macro's buffer room.
struct MacroDialogScene {
  static std::vector<PaintOp> Paint(const MacroDialogModel& model, Language language);
};

}  // namespace n240qx
