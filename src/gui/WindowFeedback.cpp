#include "gui/WindowFeedback.h"

#include <utility>

#include "app/FailureText.h"

namespace n240qx {

void WindowFeedback::Succeeded(FeedbackAction action, const Status& device,
                               std::string_view detail) {
  if (device.ok()) {
    feedback_.Succeeded(action, detail);
  }
}

void WindowFeedback::Failed(TextId what, const Error& error) {
  FailedText(FailureText(texts_, what, error));
}

void WindowFeedback::Failed(TextId what) {
  FailedText(std::string(texts_.Get(what)));
}

void WindowFeedback::FailedText(std::string text) {
  feedback_.Failed(std::move(text));
  repaint_();
}

void WindowFeedback::StoreFailed(const Status& saved) {
  if (!saved.ok()) {
    Failed(TextId::kSaveFailed, saved.error());
  }
}

void WindowFeedback::SequenceEnded(TextId device_failed, const SequenceEnd& end) {
  if (!end.device.ok()) {
    Failed(device_failed, end.device.error());
  }
  StoreFailed(end.store);
}

void WindowFeedback::PermissionDenied(std::string lines, std::string balloon) {
  feedback_.Failed(std::move(lines));
  balloon_ = std::move(balloon);
}

}  // namespace n240qx
