#include "sim/SimulatorFaults.h"

namespace n240qx {

void SimulatorFaults::FailTransfers(TransferKind kind, int count) {
  fail_kind_ = kind;
  fail_count_ = count;
}

void SimulatorFaults::AnswerGarbage(GarbageKind kind, int count) {
  garbage_kind_ = kind;
  garbage_count_ = count;
}

bool SimulatorFaults::TakeTransferFailure(TransferKind kind) {
  if (fail_kind_ != TransferKind::kAny && fail_kind_ != kind) {
    return false;
  }
  return Take(fail_count_);
}

std::optional<GarbageKind> SimulatorFaults::TakeGarbage() {
  if (!Take(garbage_count_)) {
    return std::nullopt;
  }
  return garbage_kind_;
}

bool SimulatorFaults::Take(int& count) {
  if (count == kEveryTime) {
    return true;
  }
  if (count <= 0) {
    return false;
  }
  --count;
  return true;
}

}  // namespace n240qx
