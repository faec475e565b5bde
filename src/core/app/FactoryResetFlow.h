#pragma once

#include <vector>

#include "app/ConfirmPrompt.h"
#include "window/MainWindowState.h"
#include "app/Texts.h"
#include "window/WindowRequest.h"
#include "config/ConfigImage.h"
#include "config/DeviceSnapshot.h"
#include "util/Result.h"

namespace n240qx {

// The factory reset offered by the help window: a question, then the reset and a re-read on
// the device worker (the window keeps painting), then the host's key settings reset to match.
class FactoryResetFlow {
 public:
  static ConfirmPrompt Prompt(const Texts& texts);

  // Cancel sends nothing. OK leaves per-key colour mode and asks the worker to reset.
  static std::vector<WindowRequest> OnAnswer(bool confirmed, MainWindowState& state);

  // The worker finished. `image` already holds what the re-read brought. On success every key
  // is enabled, the lock is derived from the mask again (so a lock left on from before cannot
  // make the next Apply send the mask), and image and snapshot are made equal. On failure the
  // image is left as it was: the window shows the error and nothing is lost.
  static std::vector<WindowRequest> OnFinished(const Status& outcome, MainWindowState& state,
                                               ConfigImage& image, DeviceSnapshot& snapshot);
};

}  // namespace n240qx
