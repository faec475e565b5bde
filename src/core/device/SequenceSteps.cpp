#include "device/SequenceSteps.h"

#include <string>

namespace n240qx {

SequenceSteps::SequenceSteps(SequenceKind kind, int total, ProgressSink sink,
                             const std::atomic<bool>* cancel)
    : progress_{kind, 0, total}, sink_(std::move(sink)), cancel_(cancel) {}

void SequenceSteps::SetTotal(int total) {
  progress_.total = total;
  if (sink_) {
    sink_(progress_);
  }
}

Status SequenceSteps::CheckCancelled() const {
  if (cancel_ != nullptr && cancel_->load()) {
    return Error{ErrorCode::kNotOpen, std::string("the ") + SequenceName(progress_.kind) +
                                          " was stopped because the program is closing"};
  }
  return Status::Ok();
}

void SequenceSteps::Advance() {
  ++progress_.done;
  if (sink_) {
    sink_(progress_);
  }
}

}  // namespace n240qx
