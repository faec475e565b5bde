#pragma once

#include <vector>

#include "app/ConfirmPrompt.h"
#include "app/Texts.h"
#include "util/Result.h"
#include "window/MainWindowState.h"
#include "window/WindowRequest.h"

namespace n240qx {

// The factory reset offered by the help window: a question, then the reset and a re-read on
// the device worker (the window keeps painting), then the host's key settings reset to match.
class FactoryResetFlow {
 public:
  static ConfirmPrompt Prompt(const Texts& texts);

  // Cancel sends nothing. OK leaves per-key colour mode and asks the worker to reset.
  static std::vector<WindowRequest> OnAnswer(bool confirmed, MainWindowState& state);

  // The worker finished and ConfiguratorState has applied the outcome (or kept the image after
  // a failure, which the window shows). Back to idle; the sliders follow the image.
  static std::vector<WindowRequest> OnFinished(const Status& outcome, MainWindowState& state);
};

}  // namespace n240qx
