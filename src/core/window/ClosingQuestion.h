#pragma once

#include <vector>

#include "window/WindowRequest.h"

namespace n240qx {

enum class CloseAnswer { kApply, kDiscard, kCancel };

// Ending the program (the close mark, tray Exit, the window system) while edits have not been
// applied asks first: Apply writes them and ends once the write succeeded, Discard ends as it
// always did, Cancel stays. The ending's requests (kSaveSnapshotsToStore of the close mark,
// kEndProgram) pass through here one by one, in the window's own handler, before the store
// drops the edits. A session end (a stop signal, logout) never comes this way.
class ClosingQuestion {
 public:
  enum class Step {
    kPass,     // the request goes on
    kAsk,      // ask now, then OnAnswer
    kSwallow,  // held back or given up
  };

  static bool IsEnding(WindowRequest request) {
    return request == WindowRequest::kSaveSnapshotsToStore || request == WindowRequest::kEndProgram;
  }

  // `unapplied`: the image or the key action table differs from what the keyboard holds.
  Step OnEndingRequest(WindowRequest request, bool unapplied);
  // The answer to the question kAsk asked about `request`; returns whether it goes on now.
  bool OnAnswer(CloseAnswer answer, WindowRequest request);
  // After a write: the ending the Apply answer held back, to route once the write succeeded.
  // A failed write keeps the window open, its edits and its failure line.
  std::vector<WindowRequest> OnApplyFinished(bool succeeded);
  bool applying() const { return state_ == State::kApplying; }

 private:
  enum class State {
    kOpen,        // no ending under way
    kEnding,      // decided: every ending request passes
    kCancelling,  // the rest of this ending is given up
    kApplying,    // held until the write ends
  };
  Step Hold(WindowRequest request);

  State state_ = State::kOpen;
  std::vector<WindowRequest> held_;
};

}  // namespace n240qx
