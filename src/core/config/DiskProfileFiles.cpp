#include "config/DiskProfileFiles.h"

#include <array>
#include <string>
#include <system_error>

#include "util/AtomicFile.h"
#include "util/FileErrorText.h"
#include "util/TextTable.h"

namespace n240qx {

namespace {

enum class Failure { kMakeFolder, kList, kRename, kRemove };

// The words before the path: English names the action, German what cannot be done to it.
constexpr std::array<TextRow<Failure>, 4> kFailures{{
    {Failure::kMakeFolder, "cannot create the folder ", "der Ordner kann nicht angelegt werden: "},
    {Failure::kList, "cannot list ", "der Ordner kann nicht gelesen werden: "},
    {Failure::kRename, "cannot rename ", "kann nicht umbenannt werden: "},
    {Failure::kRemove, "cannot remove ", "kann nicht gel\u00F6scht werden: "},
}};
static_assert(RowsFollowIds(kFailures));

Error FileError(const std::error_code& error, Failure what, const std::filesystem::path& path,
                Language language) {
  const bool denied = error == std::errc::permission_denied ||
                      error == std::errc::operation_not_permitted ||
                      error == std::errc::read_only_file_system;
  // std::filesystem reports the system's error numbers, which the window has words for.
  return Error{denied ? ErrorCode::kPermissionDenied : ErrorCode::kIo,
               std::string(LookupText(kFailures, what, language)) + path.string() + " (" +
                   FileErrorText::Reason(error.value(), language) + ")"};
}

}  // namespace

Status DiskProfileFiles::MakeFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    return FileError(error, Failure::kMakeFolder, folder, language_);
  }
  if (!std::filesystem::is_directory(folder, error)) {
    return Error{ErrorCode::kIo,
                 folder.string() +
                     (language_ == Language::kGerman ? " ist kein Ordner" : " is not a folder")};
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
    return FileError(error, Failure::kList, folder, language_);
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
    return FileError(error, Failure::kRename, from, language_);
  }
  return Status::Ok();
}

Status DiskProfileFiles::Remove(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::remove(file, error);
  if (error) {
    return FileError(error, Failure::kRemove, file, language_);
  }
  return Status::Ok();
}

bool DiskProfileFiles::SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace n240qx
