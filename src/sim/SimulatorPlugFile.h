#pragma once

#include <filesystem>
#include <functional>
#include <thread>

namespace n240qx {

// The cable of the keyboard of --simulate=STATE, for a program outside (a process test): while
// the file "STATE.unplugged" exists beside the state file, that keyboard is unplugged for every
// process naming the state file, as its memory is shared through the file. Its coming and going
// is heard through inotify on the folder, so nothing polls; `changed(plugged)` runs on the
// watcher's thread. Without inotify the plug stays as it was found.
class SimulatorPlugFile {
 public:
  SimulatorPlugFile(const std::filesystem::path& state_file,
                    std::function<void(bool plugged)> changed);
  ~SimulatorPlugFile();
  SimulatorPlugFile(const SimulatorPlugFile&) = delete;
  SimulatorPlugFile& operator=(const SimulatorPlugFile&) = delete;

  static std::filesystem::path For(const std::filesystem::path& state_file);
  bool plugged() const;

 private:
  void Run(int inotify_fd, bool was_plugged) const;

  std::filesystem::path file_;
  std::function<void(bool plugged)> changed_;
  int wake_fd_ = -1;
  std::thread watcher_;
};

}  // namespace n240qx
