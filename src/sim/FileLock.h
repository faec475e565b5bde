#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "device/DeviceLockHold.h"
#include "util/Result.h"

namespace n240qx {

// An exclusive flock on a lock file, shared by every process that names the same file; the
// kernel lets go when the holder ends, however it ends. The simulator's state file and the
// hidapi backend's device nodes are locked with it.
class FileLock final : public DeviceLockHold {
 public:
  // Null while another open file description holds it; kIo when the file cannot be made.
  static Result<std::unique_ptr<FileLock>> TryLock(const std::filesystem::path& file);
  ~FileLock() override;
  // Kept in "<lock file>.writes" beside the lock, as decimal text; a missing or damaged file
  // counts as 0, which at worst makes a holder read the keyboard again.
  std::uint64_t WriteCount() const override;
  void CountWrite() override;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Where the lock of the keyboard behind a device node lives: $XDG_RUNTIME_DIR (or the
  // temporary folder) / "n240qx-<node>.lock".
  static std::filesystem::path ForDeviceNode(const std::filesystem::path& node);

 private:
  FileLock(int fd, std::filesystem::path file) : fd_(fd), count_file_(file += ".writes") {}
  int fd_;
  std::filesystem::path count_file_;
};

}  // namespace n240qx
