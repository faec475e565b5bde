#include <QApplication>
#include <cstdio>

#include "gui/AppOptions.h"
#include "gui/CVaveVedozadoApp.h"

int main(int argc, char** argv) {
  // --help and --version answer without a display (a terminal over ssh, a package check). A
  // line with Qt's own options (-platform ...) goes on to QApplication, which takes those out.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments << QString::fromLocal8Bit(argv[i]);
  }
  if (const auto options = n240qx::ParseAppOptions(arguments); options.ok()) {
    if (const auto text = n240qx::InformationText(*options)) {
      std::fputs(text->toLocal8Bit().constData(), stdout);
      return 0;
    }
  }
  QApplication app(argc, argv);
  n240qx::CVaveVedozadoApp program(app);
  return program.Run();
}
