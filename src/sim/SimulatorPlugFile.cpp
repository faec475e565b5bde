#include "sim/SimulatorPlugFile.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>

namespace n240qx {

namespace {

constexpr std::uint32_t kComingAndGoing = IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM;

}  // namespace

SimulatorPlugFile::SimulatorPlugFile(const std::filesystem::path& state_file,
                                     std::function<void(bool plugged)> changed)
    : file_(For(state_file)), changed_(std::move(changed)) {
  const int inotify_fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (inotify_fd < 0) {
    return;
  }
  std::filesystem::path folder = file_.parent_path();
  if (folder.empty()) {
    folder = ".";
  }
  wake_fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake_fd_ < 0 || ::inotify_add_watch(inotify_fd, folder.c_str(), kComingAndGoing) < 0) {
    ::close(inotify_fd);
    return;
  }
  // Looked at once the watch is in place: a change from now on is an event.
  watcher_ = std::thread([this, inotify_fd, was_plugged = plugged()] {
    Run(inotify_fd, was_plugged);
    ::close(inotify_fd);
  });
}

SimulatorPlugFile::~SimulatorPlugFile() {
  if (watcher_.joinable()) {
    const std::uint64_t one = 1;
    (void)!::write(wake_fd_, &one, sizeof one);
    watcher_.join();
  }
  if (wake_fd_ >= 0) {
    ::close(wake_fd_);
  }
}

std::filesystem::path SimulatorPlugFile::For(const std::filesystem::path& state_file) {
  std::filesystem::path file = state_file;
  return file += ".unplugged";
}

bool SimulatorPlugFile::plugged() const {
  std::error_code error;
  return !std::filesystem::exists(file_, error);
}

void SimulatorPlugFile::Run(int inotify_fd, bool was_plugged) const {
  pollfd fds[2] = {{inotify_fd, POLLIN, 0}, {wake_fd_, POLLIN, 0}};
  // Large enough for several events with a file name each.
  alignas(inotify_event) std::array<char, 4096> events{};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      return;
    }
    if (fds[1].revents != 0 || (fds[0].revents & POLLIN) == 0) {
      return;
    }
    // Every change in the folder (the state file's saves too) ends in one look at the file.
    while (::read(inotify_fd, events.data(), events.size()) > 0) {
    }
    if (const bool now = plugged(); now != was_plugged) {
      was_plugged = now;
      changed_(now);
    }
  }
}

}  // namespace n240qx
