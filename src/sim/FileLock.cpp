#include "sim/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace n240qx {

Result<std::unique_ptr<FileLock>> FileLock::TryLock(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    return Error{ErrorCode::kIo, "cannot create the lock file " + file.string() + " (" +
                                     std::strerror(errno) + ")"};
  }
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EINTR) {
      continue;
    }
    ::close(fd);
    if (error == EWOULDBLOCK) {
      return std::unique_ptr<FileLock>();
    }
    return Error{ErrorCode::kIo,
                 "cannot lock " + file.string() + " (" + std::strerror(error) + ")"};
  }
  return std::unique_ptr<FileLock>(new FileLock(fd, file));
}

FileLock::~FileLock() {
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
}

std::uint64_t FileLock::WriteCount() const {
  std::ifstream in(count_file_);
  std::uint64_t count = 0;
  return in >> count ? count : 0;
}

void FileLock::CountWrite() {
  const std::uint64_t next = WriteCount() + 1;
  // Under the lock no other program reads it, so the file need not be replaced atomically.
  std::ofstream(count_file_, std::ios::trunc) << next << '\n';
}

std::filesystem::path FileLock::ForDeviceNode(const std::filesystem::path& node) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::filesystem::path folder = runtime != nullptr && *runtime == '/'
                                           ? std::filesystem::path(runtime)
                                           : std::filesystem::temp_directory_path();
  return folder / ("n240qx-" + node.filename().string() + ".lock");
}

}  // namespace n240qx
