#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

namespace n240qx::testing {

// A desktop service played by the test on a bus connection of its own. `answer` gets every
// method call on the service's object and returns the reply's arguments, or none for a method
// the service does not have.
class FakeBusService : public QDBusVirtualObject {
 public:
  using Answer = std::function<std::optional<QVariantList>(const QDBusMessage& call)>;

  FakeBusService(const QString& service, const QString& path, Answer answer = nullptr);
  ~FakeBusService() override;
  FakeBusService(const FakeBusService&) = delete;
  FakeBusService& operator=(const FakeBusService&) = delete;

  // The name and the object are the test's.
  bool owned() const { return owned_; }
  void Emit(const QString& interface, const QString& signal, const QVariantList& arguments);

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  QString connection_name_;
  QDBusConnection bus_;
  QString path_;
  Answer answer_;
  bool owned_ = false;
};

}  // namespace n240qx::testing
