#include "gui/EndingRequests.h"

#include "app/ChangeSummary.h"

namespace n240qx {

bool EndingRequests::Carry(WindowRequest request, std::vector<WindowRequest>& follow_ups) {
  if (!ClosingQuestion::IsEnding(request)) {
    return false;
  }
  const bool unapplied =
      model_.state().activity == DeviceActivity::kIdle && ChangeSummary::Compare(state_).Any();
  switch (closing_.OnEndingRequest(request, unapplied)) {
    case ClosingQuestion::Step::kPass:
      return false;
    case ClosingQuestion::Step::kSwallow:
      return true;
    case ClosingQuestion::Step::kAsk:
      break;
  }
  const CloseAnswer answer = dialogs_.close_question();
  if (closing_.OnAnswer(answer, request)) {
    return false;
  }
  if (answer == CloseAnswer::kApply) {
    follow_ups = model_.Apply();
  }
  return true;
}

}  // namespace n240qx
