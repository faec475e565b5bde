#include "app/ActionFeedback.h"

#include <utility>

namespace n240qx {

namespace {

TextId LeadOf(FeedbackAction action) {
  switch (action) {
    case FeedbackAction::kApply:
      return TextId::kFeedbackApplied;
    case FeedbackAction::kExport:
      return TextId::kFeedbackExported;
    case FeedbackAction::kImport:
      return TextId::kFeedbackImported;
    case FeedbackAction::kRename:
      return TextId::kFeedbackRenamed;
    case FeedbackAction::kRestore:
      return TextId::kFeedbackRestored;
    case FeedbackAction::kProfileKey:
      return TextId::kFeedbackProfileKey;
    case FeedbackAction::kFactoryReset:
      break;
  }
  return TextId::kFeedbackFactoryReset;
}

bool TakesDetail(FeedbackAction action) {
  return action != FeedbackAction::kRestore && action != FeedbackAction::kFactoryReset;
}

}  // namespace

std::string ActionFeedback::SuccessLine(const Texts& texts, FeedbackAction action,
                                        std::string_view detail) {
  std::string line(texts.Get(LeadOf(action)));
  if (!TakesDetail(action)) {
    return line;
  }
  // An Apply with nothing changed still wrote the keyboard; it is said without a list.
  if (detail.empty()) {
    if (action == FeedbackAction::kApply) {
      line.resize(line.find_last_not_of(": ") + 1);
    }
    return line;
  }
  return line.append(detail);
}

void ActionFeedback::Succeeded(FeedbackAction action, std::string_view detail) {
  failure_.clear();
  success_ = SuccessLine(texts_, action, detail);
}

void ActionFeedback::Failed(std::string line) {
  success_.clear();
  failure_ = std::move(line);
}

void ActionFeedback::Clear() {
  success_.clear();
  failure_.clear();
}

}  // namespace n240qx
