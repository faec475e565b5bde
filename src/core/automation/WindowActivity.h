#pragma once

namespace n240qx {

// What keeps the window from taking an automatic switch now: a switch is a write, and it must
// neither interleave with another sequence nor overwrite what the user is still editing.
struct WindowActivity {
  bool sequence_running = false;
  bool unapplied_edits = false;
  bool dialog_open = false;

  bool busy() const { return sequence_running || unapplied_edits || dialog_open; }
};

}  // namespace n240qx
