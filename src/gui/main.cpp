#include <QApplication>

#include "gui/CVaveVedozadoApp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  n240qx::CVaveVedozadoApp program(app);
  return program.Run();
}
