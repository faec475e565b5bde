#pragma once

#include <filesystem>

namespace n240qx {

// The few questions path resolution asks the file system, behind an interface so that the
// resolution itself stays a pure function of its inputs.
class PathProbe {
 public:
  virtual ~PathProbe() = default;
  virtual bool IsDirectory(const std::filesystem::path& path) const = 0;
  virtual bool IsRegularFile(const std::filesystem::path& path) const = 0;
  // Whether this user can create files in the folder.
  virtual bool IsWritableDirectory(const std::filesystem::path& path) const = 0;
};

}  // namespace n240qx
