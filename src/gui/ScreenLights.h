#pragma once

#include <QDBusConnection>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/DarkLights.h"

namespace n240qx {

class ScreenWatcher;

// The keyboard's lights with the screen, the user's idleness and the machine: DarkLights decides,
// this carries its decisions out through the window's write (no backup) whenever something changed
// and the window is free, and again when a sequence ends. Before a suspend the watcher's delay lock
// is let go once the lights are dark.
class ScreenLights : public QObject {
  Q_OBJECT

 public:
  struct Window {
    std::function<bool()> busy;
    std::function<DarkLights::Brightness()> brightness;
    std::function<void(std::uint8_t brightness)> write;
  };

  ScreenLights(Window window, QObject* parent);
  ~ScreenLights() override;

  // Listens to the desktop from now on; until then only the lights key acts.
  void Watch(QDBusConnection session, QDBusConnection system);
  void Follow(DarkLights::Reason reason, bool on);
  bool Follows(DarkLights::Reason reason) const { return lights_.Follows(reason); }
  // Dark after `minutes` without use where the desktop reports idleness; 0 never.
  void SetIdleMinutes(int minutes);
  int idle_minutes() const { return idle_minutes_; }
  // Whether the desktop reports idleness; IdleSourceChanged follows it.
  bool idle_source() const;
  // The lights key's action: off when lit, back when dark.
  void ToggleLights();
  void OnSequenceEnded() { Settle(); }
  bool dark() const { return lights_.dark(); }

 signals:
  void IdleSourceChanged(bool present);

 private:
  void OnReason(DarkLights::Reason reason, bool active);
  void Settle();

  Window window_;
  DarkLights lights_;
  ScreenWatcher* watcher_ = nullptr;
  int idle_minutes_ = 0;
};

}  // namespace n240qx
