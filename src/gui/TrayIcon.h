#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/AutostartEntry.h"
#include "app/Texts.h"

namespace n240qx {

// The notification-area icon: its tip is the window title, a double-click asks for the window
// (or the no-keyboard balloon, as the window model decides), and its menu has "About", "Start
// with the desktop" (when there is an autostart folder to write to) and "Exit".
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  TrayIcon(const QIcon& icon, const Texts& texts, std::optional<AutostartEntry> autostart,
           QObject* parent);

  const QMenu& menu() const { return menu_; }
  // The check item "OpenRGB SDK server", before "About".
  void AddOpenRgbServer(bool checked);
  void SetOpenRgbServerChecked(bool checked);
  // The read-only submenu "Rules" before "About", its items `lines`; replaced on each call.
  void SetRules(const std::vector<std::string>& lines);
  // The icon's tip: the window title, and what the profile rules did.
  void SetToolTip(const QString& tip) { icon_.setToolTip(tip); }
  // A check item before "About", below those added before it; the caller follows its toggled.
  QAction* AddCheckItem(TextId text, bool checked);
  // An empty submenu before "About", below the items added before it; the caller fills it.
  QMenu* AddSubmenu(TextId title);
  // The submenu "Profiles" at the top, listing `names()` each time the menu is about to show,
  // so that it follows the library without watching it. A pick is ProfileChosen.
  void AddProfiles(std::function<std::vector<std::string>()> names);
  // `message` empty: the no-keyboard text.
  void ShowNoKeyboardBalloon(const QString& message = QString());

 signals:
  void DoubleClicked();
  void AboutChosen();
  void ExitChosen();
  void OpenRgbServerToggled(bool on);
  void ProfileChosen(const std::string& name);

 private:
  void AddStartWithDesktop();
  void OnStartWithDesktop(bool checked);
  void FillProfiles();

  const Texts& texts_;
  std::optional<AutostartEntry> autostart_;
  QMenu menu_;
  QAction* start_with_desktop_ = nullptr;
  QAction* openrgb_server_ = nullptr;
  QMenu* rules_ = nullptr;
  QAction* about_ = nullptr;
  QMenu* profiles_ = nullptr;
  std::function<std::vector<std::string>()> profile_names_;
  QSystemTrayIcon icon_;
};

}  // namespace n240qx
