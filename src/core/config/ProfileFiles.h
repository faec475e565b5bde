#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "util/Result.h"

namespace n240qx {

// The file operations of the profile store, so that a test can make any one of them fail the
// way a full disk or a read-only folder would, whoever runs the test.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // Creates the folder, and its parents, when missing.
  virtual Status MakeFolder(const std::filesystem::path& folder) = 0;
  // The regular files directly inside the folder, in no particular order.
  virtual Result<std::vector<std::filesystem::path>> Files(const std::filesystem::path& folder) = 0;
  // At most max_bytes from the start of the file.
  virtual Result<std::vector<std::uint8_t>> Read(const std::filesystem::path& file,
                                                 std::size_t max_bytes) = 0;
  // All or nothing: on failure the previous file stays as it was.
  virtual Status Write(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) = 0;
  // Replaces `to` when it exists.
  virtual Status Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual Status Remove(const std::filesystem::path& file) = 0;
  // Whether both paths name one file, as two spellings do on a case-insensitive file system
  // (FAT, exFAT, ext4 with casefold). False when either is missing.
  virtual bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) = 0;
};

}  // namespace n240qx
