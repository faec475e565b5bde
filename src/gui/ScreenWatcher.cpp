#include "gui/ScreenWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace n240qx {

namespace {

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kLoginPath = QStringLiteral("/org/freedesktop/login1");
const QString kLoginManager = QStringLiteral("org.freedesktop.login1.Manager");

}  // namespace

ScreenWatcher::ScreenWatcher(QDBusConnection session, QDBusConnection system, QObject* parent)
    : QObject(parent), system_(std::move(system)) {
  for (const QString& screen_saver :
       {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver")}) {
    session.connect(QString(), QString(), screen_saver, QStringLiteral("ActiveChanged"), this,
                    SLOT(OnScreenSaver(bool)));
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

}  // namespace n240qx
