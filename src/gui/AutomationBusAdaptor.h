#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusVariant>
#include <QString>
#include <functional>

#include "automation/ActiveWindow.h"

namespace n240qx {

// The profile rules' interface beside the keyboard's, on the same object: where the window
// system gives no common way to learn the active window (Wayland), a compositor script reports
// each focus change here.
class AutomationBusAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "io.github.n240qx.Configurator.Automation1")

 public:
  static constexpr const char* kInterface = "io.github.n240qx.Configurator.Automation1";
  // Longer names and titles are no window's: such a report is dropped.
  static constexpr int kMaxTextBytes = 4096;

  using Sink = std::function<void(ActiveWindow window)>;
  // `object` is the keyboard's object on the bus, which exports its adaptors.
  AutomationBusAdaptor(Sink sink, QObject* object);

 public slots:
  // `app_id` stands for the window's class; `pid` 0 (or anything but a whole number from 1)
  // when the compositor does not know it. The pid comes as whatever number type the caller
  // has: KWin's scripts send every JavaScript number as a double, GNOME Shell's extension a
  // uint32, other callers an int or a variant holding one.
  void ReportActiveWindow(const QString& app_id, const QString& title, uint pid);
  void ReportActiveWindow(const QString& app_id, const QString& title, int pid);
  void ReportActiveWindow(const QString& app_id, const QString& title, qlonglong pid);
  void ReportActiveWindow(const QString& app_id, const QString& title, qulonglong pid);
  void ReportActiveWindow(const QString& app_id, const QString& title, double pid);
  void ReportActiveWindow(const QString& app_id, const QString& title, const QDBusVariant& pid);

 private:
  void Report(const QString& app_id, const QString& title, double pid);

  Sink sink_;
};

}  // namespace n240qx
