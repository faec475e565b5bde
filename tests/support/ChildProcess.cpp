#include "support/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace n240qx::testing {

pid_t SpawnProcess(std::vector<std::string> words, const std::filesystem::path& out,
                   const std::filesystem::path& err) {
  std::vector<char*> argv;
  for (auto& word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    pid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

namespace {

std::optional<int> Reap(pid_t pid, int options) {
  int status = 0;
  const pid_t reaped = ::waitpid(pid, &status, options);
  if (reaped == 0) {
    return std::nullopt;
  }
  if (reaped != pid) {
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int WaitForProcess(pid_t pid) {
  return Reap(pid, 0).value_or(-1);
}

std::optional<int> ProcessEnded(pid_t pid) {
  return Reap(pid, WNOHANG);
}

}  // namespace n240qx::testing
