#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "app/BackupName.h"
#include "config/ProfileFiles.h"
#include "util/Result.h"

namespace n240qx {

// One backup as listed: numbered from 1, newest first.
struct BackupEntry {
  std::size_t number = 0;
  std::filesystem::path file;
  BackupName name;
  // Not a whole profile: listed so that the user sees it, never loaded.
  bool damaged = false;
};

// The folder "backups" in the data folder: what the keyboard held before each write, in the
// layout of a profile file, so that any backup can also be applied or imported as a profile.
// Only files whose names it made itself are listed, loaded or removed; anything else put into
// the folder stays untouched.
class BackupStore {
 public:
  static constexpr std::size_t kKept = 20;

  BackupStore(std::filesystem::path folder, ProfileFiles& files)
      : folder_(std::move(folder)), files_(files) {}

  const std::filesystem::path& folder() const { return folder_; }

  // Writes the profile bytes atomically under a new name, then removes the oldest backups
  // beyond kKept. Returns the new file; an error names the file that could not be written.
  Result<std::filesystem::path> Save(std::span<const std::uint8_t> profile,
                                     const ChangeSummary& summary, BackupName::Time time);
  // Newest first; a missing folder holds none.
  Result<std::vector<BackupEntry>> List();
  // The profile bytes of backup `number` (1 = newest). kInvalidArgument for a number that no
  // backup has, kBadData for a damaged one.
  Result<std::vector<std::uint8_t>> Load(std::size_t number);
  // Backup `number`, or the one whose file is named `file_name` (its name only, no folder);
  // kInvalidArgument when there is none.
  Result<BackupEntry> Find(std::size_t number);
  Result<BackupEntry> Find(std::string_view file_name);
  // The backup a person names, as `restore` takes it: a number counts from the newest, anything
  // else is a file name, which stays the same while the numbers shift. kInvalidArgument for a
  // word that names none.
  Result<BackupEntry> Choose(std::string_view word);
  // kBadData for a damaged backup.
  Result<std::vector<std::uint8_t>> Load(const BackupEntry& entry);

 private:
  // Newest first, without reading the files.
  Result<std::vector<BackupEntry>> Own();
  void RemoveBeyondKept();

  std::filesystem::path folder_;
  ProfileFiles& files_;
};

}  // namespace n240qx
