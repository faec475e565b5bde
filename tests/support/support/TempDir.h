#pragma once

#include <filesystem>

namespace n240qx::testing {

// A fresh folder for the running test (named after it and the process), removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace n240qx::testing
