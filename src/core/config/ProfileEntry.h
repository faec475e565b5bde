#pragma once

#include <filesystem>
#include <string>

namespace n240qx {

// One profile in the profiles folder: the name the list shows and the file it came from (which
// need not be name + ".bin": "x.bin.bin" is listed as "x").
struct ProfileEntry {
  std::string name;
  std::filesystem::path file;

  bool operator==(const ProfileEntry&) const = default;
};

}  // namespace n240qx
