#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// The stores that could not be loaded. What such a file holds was never seen, so writing
// memory over it would replace the user's settings with empty ones; it is left alone until the
// user replaces its contents on purpose (a factory reset, for keymap.bin).
class StoreGuard {
 public:
  // `reason` is worded in `language`; so is what the guard says of the file from now on, at
  // start-up and at every refused write alike.
  void Hold(const std::filesystem::path& file, const std::string& reason,
            Language language = Language::kEnglish);
  void Release(const std::filesystem::path& file);
  bool Held(const std::filesystem::path& file) const { return held_.contains(file); }
  bool Any() const { return !held_.empty(); }

  // Ok, or kIo naming the file and why it was not loaded.
  Status CheckWritable(const std::filesystem::path& file) const;
  // One line per held file, for the window.
  std::string Describe() const;

 private:
  // Each held file's line, worded when it was held.
  std::map<std::filesystem::path, std::string> held_;
};

}  // namespace n240qx
