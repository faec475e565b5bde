#include "FakeBusService.h"

namespace n240qx::testing {

FakeBusService::FakeBusService(const QString& service, const QString& path, Answer answer)
    : connection_name_(QStringLiteral("fake ") + service),
      bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection_name_)),
      path_(path),
      answer_(std::move(answer)) {
  owned_ = bus_.registerService(service) && bus_.registerVirtualObject(path_, this);
}

FakeBusService::~FakeBusService() {
  bus_.unregisterObject(path_);
  QDBusConnection::disconnectFromBus(connection_name_);
}

void FakeBusService::Emit(const QString& interface, const QString& signal,
                          const QVariantList& arguments) {
  QDBusMessage message = QDBusMessage::createSignal(path_, interface, signal);
  message.setArguments(arguments);
  bus_.send(message);
}

QString FakeBusService::introspect(const QString&) const {
  return {};
}

bool FakeBusService::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  const std::optional<QVariantList> reply = answer_ ? answer_(message) : std::nullopt;
  if (!reply) {
    return false;
  }
  connection.send(message.createReply(*reply));
  return true;
}

}  // namespace n240qx::testing
