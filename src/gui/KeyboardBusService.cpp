#include "gui/KeyboardBusService.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMetaType>

namespace n240qx {

KeyboardBusService::KeyboardBusService(KeyboardBusAdaptor::Window window, QDBusConnection bus)
    : bus_(bus), adaptor_(std::make_unique<KeyboardBusAdaptor>(std::move(window), bus)) {}

KeyboardBusService::~KeyboardBusService() {
  if (registered_) {
    bus_.unregisterObject(QString::fromLatin1(KeyboardBusAdaptor::kPath));
    bus_.unregisterService(QString::fromLatin1(kName));
  }
}

Status KeyboardBusService::Register() {
  if (!bus_.isConnected()) {
    return Error{ErrorCode::kNotOpen,
                 "no session bus (" + bus_.lastError().message().toStdString() +
                     "): n240qx-ctl opens the keyboard itself while the window runs"};
  }
  qDBusRegisterMetaType<BusSettings>();
  if (!bus_.registerObject(QString::fromLatin1(KeyboardBusAdaptor::kPath), adaptor_.get(),
                           QDBusConnection::ExportAllContents | QDBusConnection::ExportAdaptors)) {
    return Error{ErrorCode::kNotOpen, "the keyboard's object cannot be put on the session bus"};
  }
  if (!bus_.registerService(QString::fromLatin1(kName))) {
    bus_.unregisterObject(QString::fromLatin1(KeyboardBusAdaptor::kPath));
    return Error{ErrorCode::kNotOpen,
                 std::string("the session bus name ") + kName +
                     " is taken by another program: " + bus_.lastError().message().toStdString()};
  }
  registered_ = true;
  return Status::Ok();
}

}  // namespace n240qx
