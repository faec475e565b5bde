#include "window/ClosingQuestion.h"

#include <algorithm>

namespace n240qx {

ClosingQuestion::Step ClosingQuestion::Hold(WindowRequest request) {
  held_.push_back(request);
  return Step::kSwallow;
}

ClosingQuestion::Step ClosingQuestion::OnEndingRequest(WindowRequest request, bool unapplied) {
  switch (state_) {
    case State::kEnding:
      return Step::kPass;
    case State::kApplying:
      return Hold(request);
    case State::kCancelling:
      // The close mark's two requests come in one route; the second ends the given-up ending.
      if (request == WindowRequest::kEndProgram) {
        state_ = State::kOpen;
      }
      return Step::kSwallow;
    case State::kOpen:
      break;
  }
  if (!unapplied) {
    return Step::kPass;
  }
  return Step::kAsk;
}

bool ClosingQuestion::OnAnswer(CloseAnswer answer, WindowRequest request) {
  switch (answer) {
    case CloseAnswer::kDiscard:
      state_ = State::kEnding;
      return true;
    case CloseAnswer::kCancel:
      state_ = request == WindowRequest::kEndProgram ? State::kOpen : State::kCancelling;
      return false;
    case CloseAnswer::kApply:
      state_ = State::kApplying;
      held_ = {request};
      return false;
  }
  return false;
}

std::vector<WindowRequest> ClosingQuestion::OnApplyFinished(bool succeeded) {
  if (state_ != State::kApplying) {
    return {};
  }
  std::vector<WindowRequest> held = std::move(held_);
  held_.clear();
  if (succeeded) {
    state_ = State::kEnding;
    return held;
  }
  // A write refused at once ends while the close mark's kEndProgram is still to come.
  const bool end_to_come = std::ranges::find(held, WindowRequest::kEndProgram) == held.end();
  state_ = end_to_come ? State::kCancelling : State::kOpen;
  return {};
}

}  // namespace n240qx
