#include "util/FileSync.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace n240qx {

namespace {

Status Flushed(const std::filesystem::path& path, int flags, bool folder) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) {
    const int failure = errno;
    return Error{failure == ENOENT ? ErrorCode::kNotFound : ErrorCode::kIo,
                 std::string("cannot flush (") + std::strerror(failure) + "): " + path.string()};
  }
  int result = ::fsync(fd);
  const int failure = errno;
  ::close(fd);
  // Some file systems take no fsync on a folder; their renames are as safe as they get.
  if (result != 0 && folder && (failure == EINVAL || failure == EROFS)) {
    result = 0;
  }
  if (result != 0) {
    return Error{ErrorCode::kIo,
                 std::string("cannot flush (") + std::strerror(failure) + "): " + path.string()};
  }
  return Status::Ok();
}

}  // namespace

Status FlushFile(const std::filesystem::path& file) {
  return Flushed(file, O_RDONLY, false);
}

Status FlushFolder(const std::filesystem::path& folder) {
  return Flushed(folder.empty() ? std::filesystem::path(".") : folder, O_RDONLY | O_DIRECTORY,
                 true);
}

}  // namespace n240qx
