#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "config/ProfileEntry.h"
#include "config/ProfileFiles.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// The profiles folder "Configure": after every Import, Export or rename it holds exactly one
// profile file, the kept profile. The kept profile is never lost on the way: the new one is
// written completely before any other is removed, and a failure leaves the folder as it was.
class ProfileStore {
 public:
  // Its refusals and failures are worded in `language`, the window's for its profile dialog.
  ProfileStore(std::filesystem::path folder, ProfileFiles& files,
               Language language = Language::kEnglish)
      : folder_(std::move(folder)), files_(files), language_(language) {}

  const std::filesystem::path& folder() const { return folder_; }
  ProfileFiles& files() { return files_; }

  // The profiles in the folder, sorted by name as the list sorts (letter case aside); the
  // folder is created when missing. Files whose name is no profile name are left out.
  Result<std::vector<ProfileEntry>> List();
  // Stores `bytes` as the one profile `name`, then removes every other profile.
  Result<ProfileEntry> Keep(std::string_view name, std::span<const std::uint8_t> bytes);
  // Renames the kept profile to `name` (its bytes untouched), then removes every other one.
  // kNotFound when its file has gone meanwhile.
  Result<ProfileEntry> Rename(const ProfileEntry& profile, std::string_view name);

 private:
  // Puts the new profile in place, given the profile files found before.
  using PutNew = std::function<Status(const std::vector<std::filesystem::path>& before,
                                      const std::filesystem::path& target)>;
  Result<ProfileEntry> Replace(std::string_view name, const PutNew& put);
  Result<ProfileEntry> Target(std::string_view name);
  Result<std::vector<std::filesystem::path>> StoredFiles();
  Status RemoveAllBut(const std::vector<std::filesystem::path>& files,
                      const std::filesystem::path& kept);

  std::filesystem::path folder_;
  ProfileFiles& files_;
  Language language_;
};

}  // namespace n240qx
