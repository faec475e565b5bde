#include "gui/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>

namespace n240qx {

namespace {

constexpr int kConnectTimeoutMs = 1000;
// How long a start that lost the claim keeps trying to reach the winner, which may still be
// setting up its socket.
constexpr int kReachWinnerMs = 3000;
constexpr int kRetryMs = 50;
const QByteArray kShowCommand = QByteArrayLiteral("show\n");

}  // namespace

SingleInstance::SingleInstance(QString server_name, QObject* parent)
    : QObject(parent), server_name_(std::move(server_name)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
}

QString SingleInstance::ServerNameFor(const std::filesystem::path& data_folder) {
  const QByteArray folder =
      QByteArray::fromStdString(std::filesystem::absolute(data_folder).lexically_normal().string());
  const QByteArray digest = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex();
  return QStringLiteral("n240qx-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest.left(16)));
}

bool SingleInstance::AskRunningInstance() {
  QLocalSocket socket;
  socket.connectToServer(server_name_);
  if (!socket.waitForConnected(kConnectTimeoutMs)) {
    return false;
  }
  socket.write(kShowCommand);
  socket.waitForBytesWritten(kConnectTimeoutMs);
  socket.disconnectFromServer();
  return true;
}

std::filesystem::path SingleInstance::LockFileFor(const QString& server_name) {
  // Where QLocalServer puts the socket of a plain name.
  return QDir(QDir::tempPath()).filePath(server_name + QStringLiteral(".lock")).toStdString();
}

bool SingleInstance::Claim() {
  auto claim = FileLock::TryLock(LockFileFor(server_name_));
  if (claim.ok() && *claim == nullptr) {
    QElapsedTimer waited;
    waited.start();
    while (!AskRunningInstance() && waited.elapsed() < kReachWinnerMs) {
      QThread::msleep(kRetryMs);
    }
    return false;
  }
  if (claim.ok()) {
    claim_ = std::move(*claim);
  } else if (AskRunningInstance()) {
    // No lock file possible here: the socket alone decides, as best it can.
    return false;
  }
  if (server_.listen(server_name_)) {
    return true;
  }
  // Nobody else holds the claim, so the socket file is left over from a program that crashed.
  QLocalServer::removeServer(server_name_);
  // Without a socket a later start cannot find us; still better to run than to end silently.
  server_.listen(server_name_);
  return true;
}

void SingleInstance::OnNewConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->readAll().contains(kShowCommand.trimmed())) {
        emit ShowRequested();
      }
    });
  }
}

}  // namespace n240qx
