#pragma once

#include "config/ProfileFiles.h"
#include "util/Language.h"

namespace n240qx {

// The profile store's file operations on the real file system: std::filesystem, and the
// atomic write every stored file goes through.
class DiskProfileFiles : public ProfileFiles {
 public:
  // Every operation fails in `language`, the window's for its profile dialog, the system's
  // reason included.
  explicit DiskProfileFiles(Language language = Language::kEnglish) : language_(language) {}

  Status MakeFolder(const std::filesystem::path& folder) override;
  Result<std::vector<std::filesystem::path>> Files(const std::filesystem::path& folder) override;
  Result<std::vector<std::uint8_t>> Read(const std::filesystem::path& file,
                                         std::size_t max_bytes) override;
  Status Write(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) override;
  Status Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  Status Remove(const std::filesystem::path& file) override;
  bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) override;

 private:
  Language language_;
};

}  // namespace n240qx
