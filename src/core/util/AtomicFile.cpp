#include "util/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace n240qx {

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  std::random_device random;
  std::filesystem::path temporary = path;
  temporary += ".tmp-" + std::to_string(random());
  return temporary;
}

Error FileError(ErrorCode code, const std::filesystem::path& path, const std::string& what) {
  return Error{code, what + " " + path.string()};
}

std::string ReadFailure() {
  return std::string("cannot read (") + std::strerror(errno) + "):";
}

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  const auto temporary = TemporaryBeside(path);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      return FileError(errno == EACCES ? ErrorCode::kPermissionDenied : ErrorCode::kIo, path,
                       std::string("cannot write (") + std::strerror(errno) + "):");
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return FileError(ErrorCode::kIo, path, "cannot write (disk full?):");
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return FileError(ErrorCode::kIo, path, "cannot replace (" + error.message() + "):");
  }
  return Status::Ok();
}

Status CheckReplaceable(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::is_directory(status)) {
    return FileError(ErrorCode::kInvalidArgument, path, "a folder, not a file:");
  }
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return FileError(ErrorCode::kInvalidArgument, path, "not a plain file:");
  }
  // The replacement is written beside the target, so its folder must take a new file.
  const auto probe = TemporaryBeside(path);
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    if (!out) {
      return FileError(errno == EACCES ? ErrorCode::kPermissionDenied : ErrorCode::kIo, path,
                       std::string("cannot write (") + std::strerror(errno) + "):");
    }
  }
  std::filesystem::remove(probe, error);
  return Status::Ok();
}

Result<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                 std::size_t max_bytes) {
  // Opening a FIFO waits for a writer that never comes, and a device node has no end: neither
  // is a file of ours, so neither is opened at all.
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return FileError(ErrorCode::kBadData, path, "not a plain file, so not read:");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const bool missing = !std::filesystem::exists(path);
    return FileError(missing ? ErrorCode::kNotFound : ErrorCode::kIo, path,
                     missing ? "no such file:" : ReadFailure());
  }
  std::vector<std::uint8_t> bytes(max_bytes);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(max_bytes));
  if (in.bad()) {
    return FileError(ErrorCode::kIo, path, ReadFailure());
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace n240qx
