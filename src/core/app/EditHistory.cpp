#include "app/EditHistory.h"

namespace n240qx {

void EditHistory::Reset(const ConfigImage& image, const KeyActionTable& actions) {
  recorded_image_ = image;
  recorded_actions_ = actions;
  steps_.clear();
  done_ = 0;
  bytes_ = 0;
}

bool EditHistory::Record(const ConfigImage& image, const KeyActionTable& actions) {
  EditStep step = EditStep::Between(recorded_image_, recorded_actions_, image, actions);
  if (step.empty()) {
    return false;
  }
  DropRedoSteps();
  // Replayed rather than copied: the recorded state held every byte the step starts from.
  step.Replay(recorded_image_, recorded_actions_);
  bytes_ += step.size();
  steps_.push_back(std::move(step));
  ++done_;
  KeepWithinLimits();
  return true;
}

void EditHistory::TakeOutsideChange(const ConfigImage& before, const ConfigImage& after) {
  auto& recorded = recorded_image_.bytes();
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    if (before.bytes()[i] != after.bytes()[i]) {
      recorded[i] = after.bytes()[i];
    }
  }
}

const EditStep* EditHistory::Undo(ConfigImage& image, KeyActionTable& actions) {
  Record(image, actions);
  if (!CanUndo()) {
    return nullptr;
  }
  const EditStep& step = steps_[--done_];
  step.Revert(image, actions);
  // The recorded state equalled the edited one, so it follows byte for byte.
  step.Revert(recorded_image_, recorded_actions_);
  return &step;
}

const EditStep* EditHistory::Redo(ConfigImage& image, KeyActionTable& actions) {
  Record(image, actions);
  if (!CanRedo()) {
    return nullptr;
  }
  const EditStep& step = steps_[done_++];
  step.Replay(image, actions);
  step.Replay(recorded_image_, recorded_actions_);
  return &step;
}

void EditHistory::DropRedoSteps() {
  while (steps_.size() > done_) {
    bytes_ -= steps_.back().size();
    steps_.pop_back();
  }
}

void EditHistory::KeepWithinLimits() {
  // The newest step always stays, however large.
  while (steps_.size() > 1 && (steps_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
    bytes_ -= steps_.front().size();
    steps_.pop_front();
    --done_;
  }
}

}  // namespace n240qx
