#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace n240qx {

// What the desktop says about the screen and the machine: the screen saver's ActiveChanged
// (freedesktop and GNOME names, from whoever sends it on the session bus: KDE and GNOME send
// it on different paths) and logind's PrepareForSleep on the system bus. Before a suspend it
// holds logind's delay lock while asked to, so that the lights can go off first; a desktop
// without one of the buses or services simply says nothing.
class ScreenWatcher : public QObject {
  Q_OBJECT

 public:
  ScreenWatcher(QDBusConnection session, QDBusConnection system, QObject* parent);

  // Whether a suspend waits (at most logind's delay) until ReleaseSleep.
  void HoldSleep(bool hold);
  // The lights are dark: the suspend may go on.
  void ReleaseSleep() { sleep_delay_ = QDBusUnixFileDescriptor(); }

 signals:
  void ScreenActiveChanged(bool active);
  void SleepChanged(bool sleeping);

 private slots:
  void OnScreenSaver(bool active) { emit ScreenActiveChanged(active); }
  void OnPrepareForSleep(bool sleeping);

 private:
  void TakeSleepDelay();

  QDBusConnection system_;
  bool hold_sleep_ = false;
  QDBusUnixFileDescriptor sleep_delay_;
};

}  // namespace n240qx
