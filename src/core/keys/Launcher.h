#pragma once

#include "keys/LaunchTarget.h"

namespace n240qx {

// Carries out a launch key's action on the host. The window opens files and folders with the
// desktop's handler and starts programs directly (never through a shell); the command-line
// tool may only print. Failures are not reported back: the key press has no one to tell.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // target.kind tells a program (kStartup) from a file to open (kPlayMusic, kOpenFile) and a
  // folder (kOpenFolder); target.file is never empty here.
  virtual void Launch(const LaunchTarget& target) = 0;
};

}  // namespace n240qx
