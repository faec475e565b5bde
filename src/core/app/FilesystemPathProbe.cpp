#include "app/FilesystemPathProbe.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace n240qx {

bool FilesystemPathProbe::IsDirectory(const std::filesystem::path& path) const {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

bool FilesystemPathProbe::IsRegularFile(const std::filesystem::path& path) const {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool FilesystemPathProbe::IsWritableDirectory(const std::filesystem::path& path) const {
  if (!IsDirectory(path)) {
    return false;
  }
  std::random_device random;
  const auto probe = path / (".n240qx-write-test-" + std::to_string(random()));
  bool writable = false;
  {
    std::ofstream file(probe, std::ios::binary | std::ios::trunc);
    writable = file.is_open() && static_cast<bool>(file << 'x');
  }
  std::error_code error;
  std::filesystem::remove(probe, error);
  return writable;
}

}  // namespace n240qx
