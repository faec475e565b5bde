#pragma once

#include "util/Result.h"

namespace n240qx {

// How a keyboard sequence ended once its result was applied to the program's state: the
// keyboard's own status, and that of keymap.bin (Ok when nothing had to be saved).
struct SequenceEnd {
  Status device = Status::Ok();
  Status store = Status::Ok();
};

}  // namespace n240qx
