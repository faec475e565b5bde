#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <cstdint>

namespace n240qx {

// What the desktop says about the screen, the user and the machine: the screen saver's
// ActiveChanged (freedesktop and GNOME names, from whoever sends it on the session bus: KDE and
// GNOME send it on different paths), idleness where the desktop reports it (GNOME's Mutter idle
// monitor: a watch that fires after the idle time, then one that fires at the next activity,
// so nothing here polls), and logind's PrepareForSleep on the system bus. Before a suspend it
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
  // IdleChanged(true) once nobody has used the desktop for `idle_ms`, IdleChanged(false) at
  // the next use; 0 watches nothing. Kept while the desktop's idle monitor comes and goes.
  void WatchIdle(std::uint64_t idle_ms);
  // Whether the desktop reports idleness; IdleSourceChanged says when that is known or changes.
  bool idle_source() const { return idle_source_; }

 signals:
  void ScreenActiveChanged(bool active);
  void SleepChanged(bool sleeping);
  void IdleChanged(bool idle);
  void IdleSourceChanged(bool present);

 private slots:
  void OnScreenSaver(bool active) { emit ScreenActiveChanged(active); }
  void OnPrepareForSleep(bool sleeping);
  void OnIdleWatchFired(uint id);

 private:
  void TakeSleepDelay();
  void SetIdleSource(bool present);
  // The idle monitor's watches anew: the old ones removed, the one for `idle_ms_` added.
  void RewatchIdle();
  // Calls the idle monitor's `method`; `done` gets the watch's id (0 on an error).
  void CallIdleMonitor(const QString& method, const QVariantList& arguments,
                       std::function<void(uint id)> done = nullptr);
  void EndIdle();

  QDBusConnection session_;
  QDBusConnection system_;
  bool hold_sleep_ = false;
  QDBusUnixFileDescriptor sleep_delay_;
  QDBusServiceWatcher idle_service_;
  bool idle_source_ = false;
  std::uint64_t idle_ms_ = 0;
  uint idle_watch_ = 0;
  uint active_watch_ = 0;
  bool idle_ = false;
  // Answers to an older RewatchIdle are dropped.
  unsigned idle_generation_ = 0;
};

}  // namespace n240qx
