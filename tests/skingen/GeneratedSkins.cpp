#include "GeneratedSkins.h"

#include <cstdlib>
#include <random>

namespace n240qx::test {

namespace {

// The generator's one run; the temporary folder goes when the test program ends.
struct Run {
  Run() {
    std::random_device seed;
    root =
        std::filesystem::temp_directory_path() / ("n240qx-skingen-test-" + std::to_string(seed()));
    std::filesystem::create_directories(root);
    folder = root / "png";
    const std::string command =
        std::string("\"") + N240QX_SKINGEN + "\" \"" + folder.string() + "\"";
    status = std::system(command.c_str());
  }
  ~Run() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  std::filesystem::path root;
  std::filesystem::path folder;
  int status = -1;
};

const Run& TheRun() {
  static const Run run;
  return run;
}

}  // namespace

const std::filesystem::path& GeneratedSkins::Folder() {
  return TheRun().folder;
}

QImage GeneratedSkins::Load(const std::string& relative) {
  const std::filesystem::path file = Folder() / relative;
  return QImage(QString::fromStdString(file.string()));
}

int GeneratedSkins::ExitStatus() {
  return TheRun().status;
}

}  // namespace n240qx::test
