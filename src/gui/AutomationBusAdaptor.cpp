#include "gui/AutomationBusAdaptor.h"

#include <cmath>
#include <limits>

namespace n240qx {

AutomationBusAdaptor::AutomationBusAdaptor(Sink sink, QObject* object)
    : QDBusAbstractAdaptor(object), sink_(std::move(sink)) {}

void AutomationBusAdaptor::ReportActiveWindow(const QString& app_id, const QString& title,
                                              uint pid) {
  Report(app_id, title, pid);
}

void AutomationBusAdaptor::ReportActiveWindow(const QString& app_id, const QString& title,
                                              int pid) {
  Report(app_id, title, pid);
}

void AutomationBusAdaptor::ReportActiveWindow(const QString& app_id, const QString& title,
                                              qlonglong pid) {
  Report(app_id, title, static_cast<double>(pid));
}

void AutomationBusAdaptor::ReportActiveWindow(const QString& app_id, const QString& title,
                                              qulonglong pid) {
  Report(app_id, title, static_cast<double>(pid));
}

void AutomationBusAdaptor::ReportActiveWindow(const QString& app_id, const QString& title,
                                              double pid) {
  Report(app_id, title, pid);
}

void AutomationBusAdaptor::ReportActiveWindow(const QString& app_id, const QString& title,
                                              const QDBusVariant& pid) {
  // A variant of no number type says no more than 0 does.
  const QVariant number = pid.variant();
  const bool numeric = number.canConvert<double>() && number.metaType().id() != QMetaType::QString;
  Report(app_id, title, numeric ? number.toDouble() : 0.0);
}

void AutomationBusAdaptor::Report(const QString& app_id, const QString& title, double pid) {
  const QByteArray app = app_id.toUtf8();
  const QByteArray text = title.toUtf8();
  // Dropped, not answered with an error: the call's context belongs to the object, and an
  // error reply sent from this adaptor would end the window.
  if (app.size() > kMaxTextBytes || text.size() > kMaxTextBytes) {
    return;
  }
  ActiveWindow window;
  window.class_name = app.toStdString();
  window.title = text.toStdString();
  // Also false for NaN; compositors send 0 or -1 for a window they know no process of.
  const bool known = pid >= 1 && pid <= std::numeric_limits<int>::max() && pid == std::floor(pid);
  window.pid = known ? static_cast<int>(pid) : 0;
  sink_(std::move(window));
}

}  // namespace n240qx
