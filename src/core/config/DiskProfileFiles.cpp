#include "config/DiskProfileFiles.h"

#include <string>
#include <system_error>

#include "util/AtomicFile.h"

namespace n240qx {

namespace {

Error FileError(const std::error_code& error, const std::string& what,
                const std::filesystem::path& path) {
  const bool denied = error == std::errc::permission_denied ||
                      error == std::errc::operation_not_permitted ||
                      error == std::errc::read_only_file_system;
  return Error{denied ? ErrorCode::kPermissionDenied : ErrorCode::kIo,
               what + " " + path.string() + " (" + error.message() + ")"};
}

}  // namespace

Status DiskProfileFiles::MakeFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    return FileError(error, "cannot create the folder", folder);
  }
  if (!std::filesystem::is_directory(folder, error)) {
    return Error{ErrorCode::kIo, folder.string() + " is not a folder"};
  }
  return Status::Ok();
}

Result<std::vector<std::filesystem::path>> DiskProfileFiles::Files(
    const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (it->is_regular_file(ignored)) {
      files.push_back(it->path());
    }
  }
  if (error) {
    return FileError(error, "cannot list", folder);
  }
  return files;
}

Result<std::vector<std::uint8_t>> DiskProfileFiles::Read(const std::filesystem::path& file,
                                                         std::size_t max_bytes) {
  return ReadFilePrefix(file, max_bytes, language_);
}

Status DiskProfileFiles::Write(const std::filesystem::path& file,
                               std::span<const std::uint8_t> bytes) {
  return WriteFileAtomically(file, bytes, language_);
}

Status DiskProfileFiles::Rename(const std::filesystem::path& from,
                                const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (error) {
    return FileError(error, "cannot rename", from);
  }
  return Status::Ok();
}

Status DiskProfileFiles::Remove(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::remove(file, error);
  if (error) {
    return FileError(error, "cannot remove", file);
  }
  return Status::Ok();
}

bool DiskProfileFiles::SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace n240qx
