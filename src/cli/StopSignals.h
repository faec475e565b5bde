#pragma once

namespace n240qx {

// SIGTERM (logout, kill) and SIGINT (Ctrl+C) end the tool only between keyboard sequences: the
// handler just notes the signal, the main thread stops the session (a write that has begun runs
// to its end unless a second signal comes) and the tool ends with 128 + the signal's number.
class StopSignals {
 public:
  static void Install();
  // The signal received, 0 when none.
  static int Received();
  // How many signals arrived.
  static int Count();
};

}  // namespace n240qx
