#pragma once

#include <QString>
#include <functional>

#include "app/AboutBox.h"
#include "app/ConfirmPrompt.h"
#include "keys/PendingAssignment.h"
#include "paint/RgbColour.h"
#include "window/ClosingQuestion.h"

namespace n240qx {

// The modal questions and dialogs the main window runs on its models' behalf. The window fills
// every empty one with the real dialog; tests put in their own answers.
struct WindowDialogs {
  // An OK/Cancel question; true for OK.
  std::function<bool(const ConfirmPrompt&)> confirm;
  // Ending with unapplied edits: Apply, Discard or Cancel.
  std::function<CloseAnswer()> close_question;
  // The key assignment dialog for pending.current_key; true when it ended with OK, with its
  // result in `pending`.
  std::function<bool(PendingAssignment& pending)> key_assignment;
  // The colour dialog, starting from and returning through `shared_colour`; true for OK.
  std::function<bool(RgbColour& shared_colour)> colour;
  // The macro dialog on the stored macros; true when it ended with OK, the stored macros then
  // holding its result.
  std::function<bool()> macros;
  // The profile dialog, run modally; true when it changed the configuration.
  std::function<bool()> profiles;
  // Starts the firmware updater without waiting for it; false when it could not be started.
  std::function<bool(const QString& program)> start_updater;
  // Shows the About box.
  std::function<void(const AboutBox& about)> about;
};

}  // namespace n240qx
