#pragma once

#include "app/PathProbe.h"

namespace n240qx {

// Asks the real file system. Writability is tested by creating and removing a file, since
// permission bits alone do not tell about read-only mounts.
class FilesystemPathProbe : public PathProbe {
 public:
  bool IsDirectory(const std::filesystem::path& path) const override;
  bool IsRegularFile(const std::filesystem::path& path) const override;
  bool IsWritableDirectory(const std::filesystem::path& path) const override;
};

}  // namespace n240qx
