#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include "app/Texts.h"

namespace n240qx {

// The notification-area icon: its tip is the window title, a double-click asks for the window
// (or the no-keyboard balloon, as the window model decides), and its menu has "About" and
// "Exit".
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  TrayIcon(const QIcon& icon, const Texts& texts, QObject* parent);

  void ShowNoKeyboardBalloon();

 signals:
  void DoubleClicked();
  void AboutChosen();
  void ExitChosen();

 private:
  const Texts& texts_;
  QMenu menu_;
  QSystemTrayIcon icon_;
};

}  // namespace n240qx
