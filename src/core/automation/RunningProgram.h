#pragma once

#include <string>
#include <vector>

namespace n240qx {

// One process as /proc shows it. Each part may be empty: a kernel thread has no command line,
// and another user's `exe` link cannot be read.
struct RunningProgram {
  int pid = 0;
  // `comm`: the kernel's name, cut to 15 bytes.
  std::string name;
  // Where the `exe` link points.
  std::string executable;
  std::vector<std::string> arguments;
};

}  // namespace n240qx
