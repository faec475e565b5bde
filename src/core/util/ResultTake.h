#pragma once

#include "util/Result.h"

// Declares `target` as the result of `expression`, or returns its error from the function:
// the one step of a reader that may refuse at every field.
#define N240QX_TAKE(target, expression) \
  auto target = (expression);           \
  if (!target.ok()) {                   \
    return target.error();              \
  }
