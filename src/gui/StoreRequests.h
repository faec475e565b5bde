#pragma once

#include <vector>

#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "gui/WindowFeedback.h"
#include "window/WindowRequest.h"

namespace n240qx {

// The router's handler of keymap.bin and the marked keys: refreshed after a profile dialog,
// reverted by Restore, saved from the snapshots.
class StoreRequests {
 public:
  StoreRequests(ConfiguratorState& state, const ProgramPaths& paths, WindowFeedback& feedback)
      : state_(state), paths_(paths), feedback_(feedback) {}

  bool Carry(WindowRequest request, std::vector<WindowRequest>& follow_ups);

 private:
  ConfiguratorState& state_;
  const ProgramPaths& paths_;
  WindowFeedback& feedback_;
};

}  // namespace n240qx
