// n240qx-skingen: draws every skin picture of the window and its dialogs into a "png" folder.
// Usage: n240qx-skingen PNG_FOLDER

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>

#include "SkinCatalog.h"

namespace {

int Run(const std::filesystem::path& png_folder) {
  for (const n240qx::Language language : {n240qx::Language::kEnglish, n240qx::Language::kGerman}) {
    const n240qx::SkinSet set = n240qx::SkinCatalog::Build(language);
    const n240qx::Status written = set.WriteTo(png_folder);
    if (!written.ok()) {
      std::fprintf(stderr, "n240qx-skingen: %s\n", written.error().message.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: n240qx-skingen PNG_FOLDER\n");
    return 2;
  }
  // Fonts need a platform; the build machine has no display, so draw off screen unless the
  // caller chose otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication application(argc, argv);
  return Run(std::filesystem::path(argv[1]));
}
