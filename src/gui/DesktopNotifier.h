#pragma once

#include <QDBusConnection>
#include <QObject>
#include <optional>
#include <string>

#include "app/Texts.h"

namespace n240qx {

// Desktop notifications (org.freedesktop.Notifications on the session bus) when the program
// applies a profile by itself: from the tray, a rule or a key. A desktop without the service
// shows nothing and nothing fails; the user can switch them off. Each notification replaces
// the one before, so that a row of switches leaves one on the screen.
class DesktopNotifier : public QObject {
  Q_OBJECT

 public:
  DesktopNotifier(const Texts& texts, bool enabled, QObject* parent);

  // Nothing is sent before there is a bus.
  void SetBus(QDBusConnection bus) { bus_ = std::move(bus); }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool enabled() const { return enabled_; }

  // "Profile applied: NAME", with `why` (which rule, key or menu) below it.
  void ProfileApplied(const std::string& name, const std::string& why);

 private:
  const Texts& texts_;
  bool enabled_;
  std::optional<QDBusConnection> bus_;
  uint shown_id_ = 0;
};

}  // namespace n240qx
