#pragma once

#include <QMessageBox>
#include <QPalette>
#include <QString>
#include <memory>

#include "util/Language.h"

class QWidget;

namespace n240qx {

// Every message box of the window, made in one place: its buttons named from the program's own
// texts, since Qt's standard buttons stay English without Qt's translations, and its colours
// the window's dark ones, not the desktop's light default beside a dark skin.
class WindowMessageBox {
 public:
  enum class Buttons { kOk, kOkCancel };

  // The box as it will show; Ask and Tell run one.
  static std::unique_ptr<QMessageBox> Make(QWidget* parent, Language language,
                                           QMessageBox::Icon icon, const QString& title,
                                           const QString& text, Buttons buttons);
  // OK and Cancel; true for OK.
  static bool Ask(QWidget* parent, Language language, const QString& title, const QString& text);
  static void Tell(QWidget* parent, Language language, QMessageBox::Icon icon, const QString& title,
                   const QString& text);
  // Tell with the window's icon, as an About box shows it; MakeAbout gives the box unshown.
  static void About(QWidget* parent, Language language, const QString& title, const QString& text);
  static std::unique_ptr<QMessageBox> MakeAbout(QWidget* parent, Language language,
                                                const QString& title, const QString& text);
  // For a box with buttons of its own (the closing question).
  static void Darken(QWidget& box);
  static QPalette DarkPalette();
};

}  // namespace n240qx
