#pragma once

#include <vector>

#include "app/ConfiguratorState.h"
#include "gui/WindowDialogs.h"
#include "window/ClosingQuestion.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"

namespace n240qx {

// The router's first handler: the ending's requests (close mark, tray Exit, the window system)
// wait for the question unapplied edits ask, and for the write an Apply answer started.
class EndingRequests {
 public:
  EndingRequests(const ConfiguratorState& state, MainWindowModel& model, WindowDialogs& dialogs)
      : state_(state), model_(model), dialogs_(dialogs) {}

  // True when `request` is held or swallowed here; an Apply answer's requests go into
  // `follow_ups`.
  bool Carry(WindowRequest request, std::vector<WindowRequest>& follow_ups);
  // A write has ended: the ending an Apply answer held, once the keyboard has the edits.
  std::vector<WindowRequest> OnApplyFinished(bool ok) { return closing_.OnApplyFinished(ok); }

 private:
  const ConfiguratorState& state_;
  MainWindowModel& model_;
  WindowDialogs& dialogs_;
  ClosingQuestion closing_;
};

}  // namespace n240qx
