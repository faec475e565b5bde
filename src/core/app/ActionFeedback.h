#pragma once

#include <string>
#include <string_view>

#include "app/Texts.h"

namespace n240qx {

// The actions a user takes whose outcome is otherwise invisible: the keyboard looks the same
// after a write, a file lands in a folder the window does not show.
// kProfileKey: a key's host action applied a profile of the library.
enum class FeedbackAction {
  kApply,
  kExport,
  kImport,
  kRename,
  kRestore,
  kFactoryReset,
  kProfileKey
};

// The one line that says how the last of those actions ended, in the texts' language. A
// success replaces a failure an earlier action left, so that a failure shown is always about
// the latest attempt and never outlives the action that mended it.
class ActionFeedback {
 public:
  explicit ActionFeedback(const Texts& texts) : texts_(texts) {}

  // `detail`: the changes written (ChangeSummary::Words), the file exported to, the profile
  // imported, the new name or the profile a key applied; unused by a restore and a factory reset.
  void Succeeded(FeedbackAction action, std::string_view detail = {});
  // `line` is already in the texts' language (FailureText).
  void Failed(std::string line);
  // A new attempt has started: its outcome will be told, not the last one's.
  void Clear();

  // Exactly one of the two is non-empty after an action, both are empty before the first.
  const std::string& success() const { return success_; }
  const std::string& failure() const { return failure_; }

  static std::string SuccessLine(const Texts& texts, FeedbackAction action,
                                 std::string_view detail);

 private:
  const Texts& texts_;
  std::string success_;
  std::string failure_;
};

}  // namespace n240qx
