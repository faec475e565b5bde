#include "lighting/RepaintCountdown.h"

namespace n240qx {

bool RepaintCountdown::Tick() {
  if (repaint_pending_ == 0) {
    return false;
  }
  if (repaint_count_ >= kRepaints) {
    repaint_pending_ = 0;
    repaint_count_ = 0;
    return false;
  }
  ++repaint_count_;
  return true;
}

}  // namespace n240qx
