#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace n240qx::testing {

// Starts `words` (the program's path first) as a child with standard input from /dev/null and
// standard output and error into the files named ("/dev/null" drops them): the child's pid, or
// -1 when it could not be started.
pid_t SpawnProcess(std::vector<std::string> words, const std::filesystem::path& out,
                   const std::filesystem::path& err);

// Waits for the child: its exit status, or 128 + the number of the signal that ended it.
int WaitForProcess(pid_t pid);
// The same without waiting: nullopt while the child runs, for a test that must keep serving
// it (an event loop) meanwhile.
std::optional<int> ProcessEnded(pid_t pid);

}  // namespace n240qx::testing
