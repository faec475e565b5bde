#pragma once

#include "device/SequenceKind.h"

namespace n240qx {

// How far a running sequence has got: `done` of `total` steps (one command each).
struct SequenceProgress {
  SequenceKind kind = SequenceKind::kFullRead;
  int done = 0;
  int total = 0;

  friend bool operator==(const SequenceProgress&, const SequenceProgress&) = default;
};

}  // namespace n240qx
