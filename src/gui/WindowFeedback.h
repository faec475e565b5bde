#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "app/ActionFeedback.h"
#include "app/SequenceEnd.h"
#include "app/Texts.h"
#include "util/Result.h"

namespace n240qx {

// The window's line under the page: how the last action ended, in the window's language, and
// what the no-keyboard balloon says instead of its usual text. Every request handler reports
// through it; each report repaints.
class WindowFeedback {
 public:
  WindowFeedback(const Texts& texts, std::function<void()> repaint)
      : texts_(texts), repaint_(std::move(repaint)) {}

  // A new attempt has started: its outcome will be told, not the last one's.
  void Clear() { feedback_.Clear(); }
  // A success replaces the failure line an earlier action left; a failed `device` says nothing.
  void Succeeded(FeedbackAction action, const Status& device, std::string_view detail = {});
  void Failed(TextId what, const Error& error);
  void Failed(TextId what);
  // A line already in the window's language, shown as it is.
  void FailedText(std::string text);
  void StoreFailed(const Status& saved);
  void SequenceEnded(TextId device_failed, const SequenceEnd& end);
  // The keyboard is attached but may not be opened: `lines` under the page, `balloon` in the
  // tray, both without a repaint of their own (the start-up's route paints).
  void PermissionDenied(std::string lines, std::string balloon);

  const std::string& failure() const { return feedback_.failure(); }
  const std::string& success() const { return feedback_.success(); }
  // Empty for the balloon's usual text.
  const std::string& balloon() const { return balloon_; }
  const Texts& texts() const { return texts_; }

 private:
  const Texts& texts_;
  std::function<void()> repaint_;
  ActionFeedback feedback_{texts_};
  std::string balloon_;
};

}  // namespace n240qx
