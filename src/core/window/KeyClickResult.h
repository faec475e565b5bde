#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "keys/PendingAssignment.h"
#include "window/WindowRequest.h"

namespace n240qx {

// What a key click asks of the main window besides a repaint.
struct KeyClickResult {
  enum class Action {
    kNone,
    kOpenKeyDialog,    // Keymap mode: run the key assignment dialog for `key`
    kColourRequested,  // per-key mode: the colour dialog ran for the selected keys
    kLeftPerKeyMode,   // per-key mode with no colour table: the click only left the mode
  };
  Action action = Action::kNone;
  std::size_t key = 0;
  std::uint8_t key_vk = 0;
  bool repaint = false;

  // What the window carries out for the click, in order: opening the key dialog first starts a
  // fresh pending assignment for the key (so that a dialog that ends with OK without a choice
  // changes nothing), then the repaint.
  std::vector<WindowRequest> Effects(PendingAssignment& pending) const;
};

}  // namespace n240qx
