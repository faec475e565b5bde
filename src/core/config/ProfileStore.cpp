#include "config/ProfileStore.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "config/ProfileNames.h"
#include "util/TextTable.h"

namespace n240qx {

namespace {

bool NameLess(const ProfileEntry& a, const ProfileEntry& b) {
  return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                      [](char x, char y) {
                                        return std::tolower(static_cast<unsigned char>(x)) <
                                               std::tolower(static_cast<unsigned char>(y));
                                      });
}

bool IsStoredProfile(const std::filesystem::path& file) {
  return file.filename().string().ends_with(profile_names::kSuffix);
}

// "the profile " FILE, then what became of it.
enum class Part { kTheProfile, kKeptOlderStays, kNoLongerIn };

constexpr std::array<TextRow<Part>, 3> kParts{{
    {Part::kTheProfile, "the profile ", "das Profil "},
    {Part::kKeptOlderStays,
     " is kept, but an older one stays: ", " ist abgelegt, aber ein \u00E4lteres bleibt liegen: "},
    {Part::kNoLongerIn, " is no longer in ", " liegt nicht mehr in "},
}};
static_assert(RowsFollowIds(kParts));

std::string AboutProfile(const std::filesystem::path& file, Part what, Language language) {
  return std::string(LookupText(kParts, Part::kTheProfile, language)) + file.filename().string() +
         std::string(LookupText(kParts, what, language));
}

}  // namespace

Result<std::vector<std::filesystem::path>> ProfileStore::StoredFiles() {
  if (Status made = files_.MakeFolder(folder_); !made.ok()) {
    return made.error();
  }
  auto found = files_.Files(folder_);
  if (!found.ok()) {
    return found.error();
  }
  std::vector<std::filesystem::path> stored;
  std::ranges::copy_if(*found, std::back_inserter(stored), IsStoredProfile);
  return stored;
}

Result<std::vector<ProfileEntry>> ProfileStore::List() {
  auto stored = StoredFiles();
  if (!stored.ok()) {
    return stored.error();
  }
  std::vector<ProfileEntry> profiles;
  for (const auto& file : *stored) {
    std::string name = profile_names::FromStoredFile(file.filename().string());
    if (profile_names::Check(name).ok()) {
      profiles.push_back({std::move(name), file});
    }
  }
  std::ranges::stable_sort(profiles, NameLess);
  return profiles;
}

Result<ProfileEntry> ProfileStore::Target(std::string_view name) {
  if (Status checked = profile_names::Check(name, language_); !checked.ok()) {
    return checked.error();
  }
  return ProfileEntry{std::string(name), folder_ / profile_names::StoredFileName(name)};
}

Status ProfileStore::RemoveAllBut(const std::vector<std::filesystem::path>& files,
                                  const std::filesystem::path& kept) {
  for (const auto& file : files) {
    // Where letter case does not tell files apart, "Race.bin" found before a rename to "race"
    // is the kept profile itself; removing it would remove the only copy.
    if (file == kept || files_.SameFile(file, kept)) {
      continue;
    }
    if (Status removed = files_.Remove(file); !removed.ok()) {
      return Error{removed.error().code,
                   AboutProfile(kept, Part::kKeptOlderStays, language_) + removed.error().message};
    }
  }
  return Status::Ok();
}

Result<ProfileEntry> ProfileStore::Replace(std::string_view name, const PutNew& put) {
  auto target = Target(name);
  if (!target.ok()) {
    return target;
  }
  auto before = StoredFiles();
  if (!before.ok()) {
    return before.error();
  }
  // A failed put leaves the folder as it was; only once the new profile is complete do the
  // others go.
  if (Status placed = put(*before, target->file); !placed.ok()) {
    return placed.error();
  }
  if (Status removed = RemoveAllBut(*before, target->file); !removed.ok()) {
    return removed.error();
  }
  return target;
}

Result<ProfileEntry> ProfileStore::Keep(std::string_view name,
                                        std::span<const std::uint8_t> bytes) {
  return Replace(name,
                 [&](const std::vector<std::filesystem::path>& /*before*/,
                     const std::filesystem::path& target) { return files_.Write(target, bytes); });
}

Result<ProfileEntry> ProfileStore::Rename(const ProfileEntry& profile, std::string_view name) {
  return Replace(
      name,
      [&](const std::vector<std::filesystem::path>& before,
          const std::filesystem::path& target) -> Status {
        if (std::ranges::find(before, profile.file) == before.end()) {
          return Error{ErrorCode::kNotFound,
                       AboutProfile(profile.file, Part::kNoLongerIn, language_) + folder_.string()};
        }
        return profile.file == target ? Status::Ok() : files_.Rename(profile.file, target);
      });
}

}  // namespace n240qx
