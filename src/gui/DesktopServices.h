#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <string>

#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "gui/DesktopNotifier.h"
#include "gui/ScreenLights.h"

namespace n240qx {

class DeviceRequests;
class OutsideRequests;
class WindowFeedback;
class TrayIcon;

// What the window offers the desktop besides itself: the library's profiles in the tray, the
// lights going off with the screen, after minutes of idleness and before a suspend, and
// notifications of profiles applied. The tray's options are off by default (notifications
// on) and remembered in the settings.
class DesktopServices : public QObject {
  Q_OBJECT

 public:
  struct Window {
    DeviceRequests& device;
    OutsideRequests& outside;
    WindowFeedback& feedback;
    const ConfiguratorState& state;
    const ProgramPaths& paths;
    const Texts& texts;
    std::function<bool()> busy;
    // A failure to show while the window may well be hidden.
    std::function<void(const QString& message)> warn;
  };

  DesktopServices(Window window, QObject* parent);

  void AddTrayItems(TrayIcon& tray);
  // The desktop's buses; a system bus that is not connected leaves out the suspend.
  void Watch(QDBusConnection session, QDBusConnection system);
  // A profile of the library, written as an Apply writes (only the difference, with a
  // backup); `why` goes into the notification.
  void ApplyLibraryProfile(const std::string& name, const std::string& why);
  void OnSequenceEnded() { lights_.OnSequenceEnded(); }

  ScreenLights& lights() { return lights_; }
  DesktopNotifier& notifier() { return notifier_; }

 private:
  void AddLightsItem(TrayIcon& tray, TextId text, DarkLights::Reason reason);
  // The submenu of idle minutes.
  void AddIdleItems(TrayIcon& tray);

  Window window_;
  ScreenLights lights_;
  DesktopNotifier notifier_;
};

}  // namespace n240qx
