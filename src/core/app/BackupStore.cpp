#include "app/BackupStore.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <system_error>

#include "keys/KeymapStore.h"

namespace n240qx {

Result<std::filesystem::path> BackupStore::Save(std::span<const std::uint8_t> profile,
                                                const ChangeSummary& summary,
                                                BackupName::Time time) {
  if (Status made = files_.MakeFolder(folder_); !made.ok()) {
    return made.error();
  }
  auto own = Own();
  if (!own.ok()) {
    return own.error();
  }
  BackupName name{time, 0, summary};
  for (const BackupEntry& entry : *own) {
    name.sequence = std::max(name.sequence, entry.name.sequence + 1);
  }
  const std::filesystem::path file = folder_ / name.Format();
  if (Status written = files_.Write(file, profile); !written.ok()) {
    return Error{written.error().code,
                 "cannot save the backup " + file.string() + ": " + written.error().message};
  }
  RemoveBeyondKept();
  return file;
}

Result<std::vector<BackupEntry>> BackupStore::List() {
  auto own = Own();
  if (!own.ok()) {
    return own;
  }
  for (BackupEntry& entry : *own) {
    // One byte more than a profile, so that a longer file is seen as such.
    const auto bytes = files_.Read(entry.file, kKeymapStoreSize + 1);
    entry.damaged = !bytes.ok() || bytes->size() != kKeymapStoreSize;
  }
  return own;
}

namespace {

std::optional<std::size_t> BackupNumber(std::string_view word) {
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
  if (error != std::errc() || end != word.data() + word.size() || number == 0) {
    return std::nullopt;
  }
  return number;
}

}  // namespace

Result<BackupEntry> BackupStore::Choose(std::string_view word) {
  if (const auto number = BackupNumber(word)) {
    return Find(*number);
  }
  if (word.empty() || word.find('/') != std::string_view::npos) {
    return Error{ErrorCode::kInvalidArgument,
                 "restore takes the number or file name of one backup, 1 for the newest "
                 "(see backups)"};
  }
  return Find(word);
}

Result<BackupEntry> BackupStore::Find(std::size_t number) {
  auto own = Own();
  if (!own.ok()) {
    return own.error();
  }
  if (number == 0 || number > own->size()) {
    return Error{ErrorCode::kInvalidArgument,
                 own->empty() ? "there is no backup in " + folder_.string()
                              : "there is no backup " + std::to_string(number) +
                                    "; the backups are numbered 1 (newest) to " +
                                    std::to_string(own->size())};
  }
  return (*own)[number - 1];
}

Result<BackupEntry> BackupStore::Find(std::string_view file_name) {
  auto own = Own();
  if (!own.ok()) {
    return own.error();
  }
  for (const BackupEntry& entry : *own) {
    if (entry.file.filename() == file_name) {
      return entry;
    }
  }
  return Error{ErrorCode::kInvalidArgument,
               "there is no backup named " + std::string(file_name) + " in " + folder_.string()};
}

Result<std::vector<std::uint8_t>> BackupStore::Load(std::size_t number) {
  const auto entry = Find(number);
  if (!entry.ok()) {
    return entry.error();
  }
  return Load(*entry);
}

Result<std::vector<std::uint8_t>> BackupStore::Load(const BackupEntry& entry) {
  const std::filesystem::path& file = entry.file;
  auto bytes = files_.Read(file, kKeymapStoreSize + 1);
  if (!bytes.ok()) {
    return bytes;
  }
  if (bytes->size() != kKeymapStoreSize) {
    return Error{ErrorCode::kBadData, "the backup " + file.string() + " is damaged: it holds " +
                                          std::to_string(bytes->size()) + " bytes, not " +
                                          std::to_string(kKeymapStoreSize)};
  }
  return bytes;
}

Result<std::vector<BackupEntry>> BackupStore::Own() {
  std::vector<BackupEntry> own;
  std::error_code error;
  if (!std::filesystem::exists(folder_, error) && !error) {
    return own;
  }
  auto files = files_.Files(folder_);
  if (!files.ok()) {
    return files.error();
  }
  for (const std::filesystem::path& file : *files) {
    if (auto name = BackupName::Parse(file.filename().string())) {
      own.push_back({0, file, *name, false});
    }
  }
  std::ranges::sort(
      own, [](const BackupEntry& a, const BackupEntry& b) { return Before(b.name, a.name); });
  for (std::size_t i = 0; i < own.size(); ++i) {
    own[i].number = i + 1;
  }
  return own;
}

void BackupStore::RemoveBeyondKept() {
  const auto own = Own();
  if (!own.ok()) {
    return;
  }
  // The new backup is saved already; an old one that cannot be removed now goes next time.
  for (std::size_t i = kKept; i < own->size(); ++i) {
    (void)files_.Remove((*own)[i].file);
  }
}

}  // namespace n240qx
