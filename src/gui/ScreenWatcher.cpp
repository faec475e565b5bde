#include "gui/ScreenWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <functional>

namespace n240qx {

namespace {

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginPath = QStringLiteral("/org/freedesktop/login1");
const QString kLoginManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kIdleMonitor = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kIdleMonitorPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");

}  // namespace

ScreenWatcher::ScreenWatcher(QDBusConnection session, QDBusConnection system, QObject* parent)
    : QObject(parent),
      session_(std::move(session)),
      system_(std::move(system)),
      idle_service_(kIdleMonitor, session_, QDBusServiceWatcher::WatchForOwnerChange) {
  for (const QString& screen_saver :
       {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver")}) {
    session_.connect(QString(), QString(), screen_saver, QStringLiteral("ActiveChanged"), this,
                     SLOT(OnScreenSaver(bool)));
  }
  if (session_.isConnected()) {
    session_.connect(QString(), kIdleMonitorPath, kIdleMonitor, QStringLiteral("WatchFired"), this,
                     SLOT(OnIdleWatchFired(uint)));
    connect(&idle_service_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
              SetIdleSource(!owner.isEmpty());
            });
    QDBusMessage has_owner = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    has_owner << kIdleMonitor;
    auto* watcher = new QDBusPendingCallWatcher(session_.asyncCall(has_owner), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
              const QDBusPendingReply<bool> reply = *call;
              SetIdleSource(!reply.isError() && reply.value());
              call->deleteLater();
            });
  }
  if (system_.isConnected()) {
    system_.connect(kLogin, kLoginPath, kLoginManager, QStringLiteral("PrepareForSleep"), this,
                    SLOT(OnPrepareForSleep(bool)));
  }
}

void ScreenWatcher::HoldSleep(bool hold) {
  hold_sleep_ = hold;
  if (!hold) {
    ReleaseSleep();
  } else if (!sleep_delay_.isValid()) {
    TakeSleepDelay();
  }
}

void ScreenWatcher::OnPrepareForSleep(bool sleeping) {
  emit SleepChanged(sleeping);
  // After the resume, for the next suspend.
  if (!sleeping && hold_sleep_) {
    TakeSleepDelay();
  }
}

void ScreenWatcher::TakeSleepDelay() {
  if (!system_.isConnected()) {
    return;
  }
  QDBusMessage inhibit =
      QDBusMessage::createMethodCall(kLogin, kLoginPath, kLoginManager, QStringLiteral("Inhibit"));
  inhibit << QStringLiteral("sleep") << QStringLiteral("n240qx")
          << QStringLiteral("Turning the keyboard's lights off") << QStringLiteral("delay");
  // Asked without waiting: a machine without logind answers with an error, which is dropped.
  auto* watcher = new QDBusPendingCallWatcher(system_.asyncCall(inhibit), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
    if (!reply.isError() && hold_sleep_) {
      sleep_delay_ = reply.value();
    }
    call->deleteLater();
  });
}

void ScreenWatcher::WatchIdle(std::uint64_t idle_ms) {
  if (idle_ms == idle_ms_) {
    return;
  }
  idle_ms_ = idle_ms;
  RewatchIdle();
}

void ScreenWatcher::SetIdleSource(bool present) {
  if (present == idle_source_) {
    return;
  }
  idle_source_ = present;
  // A monitor that went took its watches along; a new one has none of ours.
  idle_watch_ = 0;
  active_watch_ = 0;
  RewatchIdle();
  emit IdleSourceChanged(present);
}

void ScreenWatcher::RewatchIdle() {
  ++idle_generation_;
  for (uint* watch : {&idle_watch_, &active_watch_}) {
    if (*watch != 0) {
      CallIdleMonitor(QStringLiteral("RemoveWatch"), {*watch});
      *watch = 0;
    }
  }
  EndIdle();
  if (!idle_source_ || idle_ms_ == 0) {
    return;
  }
  CallIdleMonitor(QStringLiteral("AddIdleWatch"), {QVariant::fromValue<qulonglong>(idle_ms_)},
                  [this, generation = idle_generation_](uint id) {
                    if (generation == idle_generation_) {
                      idle_watch_ = id;
                    }
                  });
}

void ScreenWatcher::OnIdleWatchFired(uint id) {
  if (id == 0) {
    return;
  }
  if (id == active_watch_) {
    // A watch for activity fires once and is gone.
    active_watch_ = 0;
    EndIdle();
    return;
  }
  if (id != idle_watch_ || idle_) {
    return;
  }
  idle_ = true;
  emit IdleChanged(true);
  CallIdleMonitor(QStringLiteral("AddUserActiveWatch"), {},
                  [this, generation = idle_generation_](uint active) {
                    if (generation == idle_generation_ && idle_) {
                      active_watch_ = active;
                    }
                  });
}

void ScreenWatcher::EndIdle() {
  if (idle_) {
    idle_ = false;
    emit IdleChanged(false);
  }
}

void ScreenWatcher::CallIdleMonitor(const QString& method, const QVariantList& arguments,
                                    std::function<void(uint id)> done) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(kIdleMonitor, kIdleMonitorPath, kIdleMonitor, method);
  call.setArguments(arguments);
  auto* watcher = new QDBusPendingCallWatcher(session_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [done = std::move(done)](QDBusPendingCallWatcher* answer) {
            const QDBusPendingReply<uint> reply = *answer;
            if (done) {
              done(reply.isError() ? 0 : reply.value());
            }
            answer->deleteLater();
          });
}

}  // namespace n240qx
