#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "util/Language.h"

namespace n240qx {

class SkinSet;

// The main window's own pictures: the background "main.png" (which sets the window size),
// the title-strip buttons, the Apply, Profile and Macro buttons and the help window.
class MainWindowArt {
 public:
  // Large enough for every page item, button, the help window and the keyboard drawing, with
  // a small margin, rounded up to whole tens.
  static QSize WindowSize();

  static void AddTo(SkinSet& set, const QString& folder, Language language);

 private:
  static QImage Background();
  static QImage TitleButton(QSize size, int which, bool hover);
  static QImage HelpWindow();
};

}  // namespace n240qx
