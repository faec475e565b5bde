#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <string>

namespace n240qx::test {

// Runs the generator once per test program into a fresh temporary folder and loads its
// pictures from there, so every test sees what the build installs.
class GeneratedSkins {
 public:
  // The "png" folder the generator wrote, or an empty path when the run failed.
  static const std::filesystem::path& Folder();
  // The picture at `relative` below the png folder; a null image when it is missing.
  static QImage Load(const std::string& relative);
  // The generator's exit status of that one run.
  static int ExitStatus();
};

}  // namespace n240qx::test
