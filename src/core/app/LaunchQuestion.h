#pragma once

#include <string>
#include <vector>

#include "app/ConfirmPrompt.h"
#include "app/Texts.h"
#include "keys/LaunchPathChange.h"

namespace n240qx {

// What the window asks before an imported profile adds or changes launch paths: every key and
// what it would start, in the window's language. A shared profile can make a key start any
// program, so none is taken unseen.
class LaunchQuestion {
 public:
  LaunchQuestion(const Texts& texts, const std::vector<LaunchPathChange>& changes);

  // Valid while this question lives.
  ConfirmPrompt Prompt() const { return {title_, question_}; }

 private:
  std::string title_;
  std::string question_;
};

}  // namespace n240qx
