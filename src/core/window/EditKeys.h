#pragma once

#include <functional>
#include <vector>

#include "app/ConfiguratorState.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"

namespace n240qx {

// A key press as the window sees it: the key's character (upper case for letters) and the
// modifiers held; `other` is any modifier besides Ctrl and Shift (Alt, Super).
struct KeyChord {
  int key = 0;
  bool ctrl = false;
  bool shift = false;
  bool other = false;
};

// Undo and redo of unapplied edits by the keys every desktop binds (Ctrl+Z back, Ctrl+Shift+Z
// or Ctrl+Y forward), whatever the desktop's own theme binds. It takes its keys first and
// leaves every other key to whoever comes after it.
class EditKeys {
 public:
  using Route = std::function<void(std::vector<WindowRequest>)>;

  EditKeys(ConfiguratorState& state, MainWindowModel& model);

  // False when `chord` is no edit key. Otherwise the step is taken when the model allows it,
  // and what the page must re-derive goes through `route`.
  bool OnKey(const KeyChord& chord, const Route& route);
  // Every input ends here: what it changed becomes one undo step.
  void Record();

 private:
  ConfiguratorState& state_;
  MainWindowModel& model_;
};

}  // namespace n240qx
