#pragma once

#include <filesystem>

namespace n240qx {

// The two files the program state keeps on disk, keymap.bin and MacroDefine.bin, and whether
// it may write them. No files at all is the state of a program that has not started up (and of
// a test that needs none): nothing is loaded or saved. A dry run, and a command the running
// window carries out, read the files but leave the data folder alone.
class StorePaths {
 public:
  // Neither loaded nor saved.
  static StorePaths None() { return {}; }
  // Loaded and saved.
  static StorePaths Saved(std::filesystem::path keymap_file, std::filesystem::path macro_file);
  // Loaded, never saved: every save of the state then succeeds without touching a file.
  static StorePaths ReadOnly(std::filesystem::path keymap_file, std::filesystem::path macro_file);

  const std::filesystem::path& keymap_file() const { return keymap_file_; }
  const std::filesystem::path& macro_file() const { return macro_file_; }
  bool saves() const { return saves_; }

 private:
  StorePaths() = default;
  StorePaths(std::filesystem::path keymap_file, std::filesystem::path macro_file, bool saves);

  std::filesystem::path keymap_file_;
  std::filesystem::path macro_file_;
  bool saves_ = false;
};

}  // namespace n240qx
