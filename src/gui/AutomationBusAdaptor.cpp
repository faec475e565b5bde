#include "gui/AutomationBusAdaptor.h"

#include <QDBusError>
#include <limits>

namespace n240qx {

AutomationBusAdaptor::AutomationBusAdaptor(Sink sink, QObject* object)
    : QDBusAbstractAdaptor(object), sink_(std::move(sink)) {}

void AutomationBusAdaptor::ReportActiveWindow(const QString& app_id, const QString& title,
                                              uint pid) {
  const QByteArray app = app_id.toUtf8();
  const QByteArray text = title.toUtf8();
  if (app.size() > kMaxTextBytes || text.size() > kMaxTextBytes) {
    sendErrorReply(QDBusError::InvalidArgs,
                   QStringLiteral("app_id and title may hold up to %1 bytes each; nothing changed")
                       .arg(kMaxTextBytes));
    return;
  }
  ActiveWindow window;
  window.class_name = app.toStdString();
  window.title = text.toStdString();
  window.pid =
      pid <= static_cast<uint>(std::numeric_limits<int>::max()) ? static_cast<int>(pid) : 0;
  sink_(std::move(window));
}

}  // namespace n240qx
