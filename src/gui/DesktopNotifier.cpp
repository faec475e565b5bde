#include "gui/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

#include "gui/QtText.h"

namespace n240qx {

namespace {

// The desktop's own time-out.
constexpr int kDesktopDecidesMs = -1;

}  // namespace

DesktopNotifier::DesktopNotifier(const Texts& texts, bool enabled, QObject* parent)
    : QObject(parent), texts_(texts), enabled_(enabled) {}

void DesktopNotifier::ProfileApplied(const std::string& name, const std::string& why) {
  if (!enabled_ || !bus_ || !bus_->isConnected()) {
    return;
  }
  QDBusMessage notify = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  const QString desktop_entry = QGuiApplication::desktopFileName();
  const QVariantMap hints{{QStringLiteral("desktop-entry"), desktop_entry}};
  notify << ToQString(texts_.Get(TextId::kWindowTitle)) << shown_id_ << desktop_entry
         << ToQString(texts_.Get(TextId::kProfileAppliedNotice)) + QString::fromStdString(name)
         << QString::fromStdString(why) << QStringList() << hints << kDesktopDecidesMs;
  // Not waited for: without the service the answer is an error, which is dropped.
  auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(notify), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    const QDBusPendingReply<uint> reply = *call;
    if (!reply.isError()) {
      shown_id_ = reply.value();
    }
    call->deleteLater();
  });
}

}  // namespace n240qx
