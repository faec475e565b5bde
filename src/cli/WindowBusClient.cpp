#include "cli/WindowBusClient.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QMap>
#include <QString>
#include <clocale>

#include "app/KeyboardBusModel.h"

namespace n240qx {

namespace {

constexpr const char* kName = "io.github.n240qx.Configurator";
constexpr const char* kPath = "/io/github/n240qx/Configurator/Keyboard";
constexpr const char* kInterface = "io.github.n240qx.Configurator.Keyboard1";
// A write waits for the keyboard's acknowledgements, and a re-read may come first: far longer
// than the bus's usual 25 s would never be right, far shorter could cut a real write.
constexpr int kCallTimeoutMs = 60000;

// The bus needs an application object; it must not change how the tool prints numbers.
void MakeApplication() {
  if (QCoreApplication::instance() != nullptr) {
    return;
  }
  static int argc = 1;
  static char name[] = "n240qx-ctl";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
  std::setlocale(LC_ALL, "C");
}

Error ErrorOf(const QDBusError& error) {
  const std::string name = error.name().toStdString();
  const auto code = KeyboardBusModel::ErrorCodeOfName(name);
  std::string message = error.message().toStdString();
  if (!code) {
    // The window did not answer in its own words: it ended, or the bus failed.
    message = "the window did not answer (" + name + "): " + message;
  }
  return Error{code.value_or(ErrorCode::kIo), message};
}

std::optional<FirmwareVersion> ParseFirmware(const QString& text) {
  const QStringList parts = text.split(QLatin1Char('.'));
  bool major_ok = false;
  bool minor_ok = false;
  if (parts.size() != 2) {
    return std::nullopt;
  }
  const int major = parts[0].toInt(&major_ok);
  const int minor = parts[1].toInt(&minor_ok);
  return major_ok && minor_ok ? KeyboardFirmwareVersion(major, minor) : std::nullopt;
}

QStringList Listed(std::span<const std::string> words) {
  QStringList listed;
  for (const std::string& word : words) {
    listed.push_back(QString::fromStdString(word));
  }
  return listed;
}

// A write's call, whose reply carries nothing but a refusal.
Status Write(QDBusInterface& keyboard, const char* method, const QList<QVariant>& arguments) {
  const QDBusMessage reply =
      keyboard.callWithArgumentList(QDBus::Block, QString::fromLatin1(method), arguments);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    return ErrorOf(QDBusError(reply));
  }
  return Status::Ok();
}

}  // namespace

struct WindowBusClient::Connection {
  QDBusConnection bus;
  QDBusInterface keyboard;
  QDBusInterface properties;

  explicit Connection(const QDBusConnection& session)
      : bus(session),
        keyboard(QString::fromLatin1(kName), QString::fromLatin1(kPath),
                 QString::fromLatin1(kInterface), session),
        properties(QString::fromLatin1(kName), QString::fromLatin1(kPath),
                   QStringLiteral("org.freedesktop.DBus.Properties"), session) {
    keyboard.setTimeout(kCallTimeoutMs);
  }
};

WindowBusClient::WindowBusClient(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

WindowBusClient::~WindowBusClient() = default;

std::unique_ptr<WindowBusClient> WindowBusClient::Find() {
  MakeApplication();
  const QDBusConnection session = QDBusConnection::sessionBus();
  if (!session.isConnected() || session.interface() == nullptr ||
      !session.interface()->isServiceRegistered(QString::fromLatin1(kName)).value()) {
    return nullptr;
  }
  return std::unique_ptr<WindowBusClient>(
      new WindowBusClient(std::make_unique<Connection>(session)));
}

Result<std::string> WindowBusClient::ReadProfile() {
  const QDBusReply<QString> reply = connection_->keyboard.call(QStringLiteral("ReadProfile"));
  if (!reply.isValid()) {
    return ErrorOf(reply.error());
  }
  return reply.value().toStdString();
}

Result<KeyboardStatus> WindowBusClient::ReadState() {
  const QDBusReply<QVariantMap> reply =
      connection_->properties.call(QStringLiteral("GetAll"), QString::fromLatin1(kInterface));
  if (!reply.isValid()) {
    return ErrorOf(reply.error());
  }
  const QVariantMap& values = reply.value();
  return KeyboardStatus{values.value(QStringLiteral("Connected")).toBool(),
                        values.value(QStringLiteral("Simulated")).toBool(),
                        ParseFirmware(values.value(QStringLiteral("Firmware")).toString())};
}

Status WindowBusClient::Set(const std::vector<std::pair<std::string, std::string>>& settings,
                            bool discard_edits) {
  qDBusRegisterMetaType<QMap<QString, QString>>();
  QMap<QString, QString> named;
  for (const auto& [name, value] : settings) {
    named.insert(QString::fromStdString(name), QString::fromStdString(value));
  }
  return Write(connection_->keyboard, "Set", {QVariant::fromValue(named), discard_edits});
}

Status WindowBusClient::ApplyProfile(const std::vector<std::uint8_t>& data, bool discard_edits) {
  const QByteArray bytes(reinterpret_cast<const char*>(data.data()),
                         static_cast<qsizetype>(data.size()));
  return Write(connection_->keyboard, "ApplyProfile", {bytes, discard_edits});
}

Status WindowBusClient::ApplyStoredProfile(const std::string& name, bool discard_edits) {
  return Write(connection_->keyboard, "ApplyStoredProfile",
               {QString::fromStdString(name), discard_edits});
}

Status WindowBusClient::Assign(const std::string& key, const std::vector<std::string>& words,
                               bool discard_edits) {
  return Write(connection_->keyboard, "Assign",
               {QString::fromStdString(key), Listed(words), discard_edits});
}

Status WindowBusClient::FactoryReset(bool discard_edits) {
  return Write(connection_->keyboard, "FactoryReset", {discard_edits});
}

Status WindowBusClient::Restore(const std::string& backup, bool discard_edits) {
  return Write(connection_->keyboard, "Restore", {QString::fromStdString(backup), discard_edits});
}

Result<std::string> WindowBusClient::ImportProfile(const std::string& file, bool discard_edits) {
  const QDBusReply<QString> reply = connection_->keyboard.call(
      QStringLiteral("ImportProfile"), QString::fromStdString(file), discard_edits);
  if (!reply.isValid()) {
    return ErrorOf(reply.error());
  }
  return reply.value().toStdString();
}

Result<MacroWords::Done> WindowBusClient::ChangeMacros(std::span<const std::string> words,
                                                       bool discard_edits) {
  const QDBusMessage reply =
      connection_->keyboard.call(QStringLiteral("ChangeMacros"), Listed(words), discard_edits);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    return ErrorOf(QDBusError(reply));
  }
  const QList<QVariant> answer = reply.arguments();
  if (answer.size() != 2) {
    return Error{ErrorCode::kIo, "the window did not answer ChangeMacros as expected"};
  }
  MacroWords::Done done{answer[0].toString().toStdString(), {}};
  for (const QString& warning : answer[1].toStringList()) {
    done.warnings.push_back(warning.toStdString());
  }
  return done;
}

}  // namespace n240qx
