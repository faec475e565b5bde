#include "gui/OpenRgbServer.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <cstdio>

namespace n240qx {

OpenRgbServer::OpenRgbServer(Window window, SdkServerSettings settings, QObject* parent)
    : QObject(parent), window_(std::move(window)), model_(settings) {
  clock_.start();
  write_timer_.setSingleShot(true);
  connect(&write_timer_, &QTimer::timeout, this, &OpenRgbServer::WriteDue);
  connect(&server_, &QTcpServer::newConnection, this, &OpenRgbServer::OnNewConnection);
}

OpenRgbServer::~OpenRgbServer() {
  // The sockets are the server's children; they go without telling a model that goes too.
  for (auto& [socket, id] : sockets_) {
    socket->disconnect(this);
  }
}

Status OpenRgbServer::Listen(quint16 port) {
  // Loopback only: the protocol has no authentication at all.
  if (!server_.listen(QHostAddress::LocalHost, port)) {
    return Error{ErrorCode::kIo,
                 "The OpenRGB SDK server cannot listen on 127.0.0.1:" + std::to_string(port) +
                     ": " + server_.errorString().toStdString()};
  }
  return Status::Ok();
}

void OpenRgbServer::OnNewConnection() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    sockets_[socket] = model_.Open();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadable(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { OnGone(socket); });
  }
}

void OpenRgbServer::OnReadable(QTcpSocket* socket) {
  const auto found = sockets_.find(socket);
  if (found == sockets_.end()) {
    return;
  }
  const QByteArray bytes = socket->readAll();
  SdkKeyboardView view = window_.view();
  view.present = present_;
  const SdkReply reply =
      model_.Receive(found->second,
                     std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size())),
                     view);
  if (!reply.bytes.empty()) {
    socket->write(reinterpret_cast<const char*>(reply.bytes.data()),
                  static_cast<qint64>(reply.bytes.size()));
  }
  if (reply.close) {
    std::fprintf(stderr, "n240qx: OpenRGB client refused: %s\n", reply.reason.c_str());
    socket->disconnectFromHost();
  }
  WriteDue();
}

void OpenRgbServer::OnGone(QTcpSocket* socket) {
  if (const auto found = sockets_.find(socket); found != sockets_.end()) {
    model_.Close(found->second);
    sockets_.erase(found);
  }
  socket->deleteLater();
}

void OpenRgbServer::OnKeyboardPresence(bool present) {
  if (present == present_) {
    return;
  }
  present_ = present;
  const auto packet = model_.OnKeyboardPresence(present);
  for (auto& [socket, id] : sockets_) {
    socket->write(reinterpret_cast<const char*>(packet.data()), static_cast<qint64>(packet.size()));
  }
}

void OpenRgbServer::WriteDue() {
  const auto due = model_.NextWriteUs();
  if (!due) {
    return;
  }
  const std::int64_t now = NowUs();
  if (!window_.idle()) {
    // A running sequence ends in OnSequenceEnded, which comes back here.
    return;
  }
  if (now < *due) {
    // One timer for the pending frame only: nothing runs while no client sends.
    write_timer_.start(static_cast<int>((*due - now + 999) / 1000));
    return;
  }
  if (const std::optional<SdkLightingFrame> frame = model_.TakeFrame(window_.held(), now)) {
    window_.write(*frame);
  }
}

}  // namespace n240qx
