#include "util/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "util/FileErrorText.h"
#include "util/FileSync.h"

namespace n240qx {

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
// A write takes well under a second; one whose temporary is this old was cut off (a crash, a
// power cut), and nothing will ever rename it.
constexpr auto kStaleAfter = std::chrono::minutes(10);

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  std::random_device random;
  std::filesystem::path temporary = path;
  temporary += std::string(kTemporaryMark) + std::to_string(random());
  return temporary;
}

// "keymap.bin.tmp-123456": TemporaryBeside's names only, never a file of anyone else's.
bool IsOurTemporary(const std::string& name) {
  const auto mark = name.rfind(kTemporaryMark);
  if (mark == std::string::npos || mark == 0) {
    return false;
  }
  const std::string_view digits = std::string_view(name).substr(mark + kTemporaryMark.size());
  return !digits.empty() &&
         std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; });
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
  std::error_code error;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (!IsOurTemporary(it->path().filename().string()) || !it->is_regular_file(ignored) ||
        it->is_symlink(ignored)) {
      continue;
    }
    const auto written = it->last_write_time(ignored);
    if (!ignored && now - written > kStaleAfter) {
      std::filesystem::remove(it->path(), ignored);
    }
  }
}

// A symbolic link stays a link: what it points to is the file replaced, beside itself, so that a
// keymap.bin kept elsewhere (a dotfiles folder) keeps being the one written.
std::filesystem::path FileToReplace(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
    return path;
  }
  const auto target = std::filesystem::weakly_canonical(path, error);
  return error ? path : target;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& link_or_file,
                           std::span<const std::uint8_t> bytes, Language language) {
  const auto path = FileToReplace(link_or_file);
  RemoveStaleTemporaries(FolderOf(path));
  const auto temporary = TemporaryBeside(path);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      return FileErrorText::Failed(FileAction::kWrite, errno, path, language);
    }
    errno = 0;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      // A stream that opened and then failed has almost always run out of room.
      const int failure = errno != 0 ? errno : ENOSPC;
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return FileErrorText::Failed(FileAction::kWrite, failure, path, language);
    }
  }
  // The bytes reach the disk before the name does, so a power cut leaves the old file or the
  // new one, never a new name on missing bytes.
  if (Status flushed = FlushFile(temporary); !flushed.ok()) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return Error{ErrorCode::kIo,
                 FileErrorText::Failed(FileAction::kWrite, EIO, path, language).message + " (" +
                     flushed.error().message + ")"};
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return FileErrorText::Failed(FileAction::kReplace, error.value(), path, language);
  }
  // The file is in place whatever this says; the flush only makes the rename last.
  (void)FlushFolder(FolderOf(path));
  return Status::Ok();
}

Status CheckReplaceable(const std::filesystem::path& link_or_file, Language language) {
  const auto path = FileToReplace(link_or_file);
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return FileErrorText::NotPlainFile(FileAction::kReplace, path,
                                       std::filesystem::is_directory(status), language);
  }
  // The replacement is written beside the target, so its folder must take a new file.
  const auto probe = TemporaryBeside(path);
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    if (!out) {
      return FileErrorText::Failed(FileAction::kWrite, errno, path, language);
    }
  }
  std::filesystem::remove(probe, error);
  return Status::Ok();
}

Result<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                 std::size_t max_bytes, Language language) {
  // Opening a FIFO waits for a writer that never comes, and a device node has no end: neither
  // is a file of ours, so neither is opened at all.
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return FileErrorText::NotPlainFile(FileAction::kRead, path,
                                       std::filesystem::is_directory(status), language);
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int failure = errno;
    if (!std::filesystem::exists(path, error)) {
      return FileErrorText::Missing(path, language);
    }
    return FileErrorText::Failed(FileAction::kRead, failure, path, language);
  }
  std::vector<std::uint8_t> bytes(max_bytes);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(max_bytes));
  if (in.bad()) {
    return FileErrorText::Failed(FileAction::kRead, errno, path, language);
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace n240qx
