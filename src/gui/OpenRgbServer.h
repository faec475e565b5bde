#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <functional>
#include <map>

#include "openrgb/SdkServer.h"
#include "util/Result.h"

class QTcpSocket;

namespace n240qx {

// The OpenRGB SDK endpoint on 127.0.0.1: the sockets of SdkServer. Every frame goes to the
// window's own write of changes; a frame that finds a sequence running waits for its end.
class OpenRgbServer : public QObject {
  Q_OBJECT

 public:
  struct Window {
    // The keyboard as the window shows it (`present` is this server's to fill in).
    std::function<SdkKeyboardView()> view;
    // What the keyboard holds, as last read or written.
    std::function<const ImageBlock&()> held;
    // True while no sequence runs, so that a write can start at once.
    std::function<bool()> idle;
    // Writes the frame through the window's write of changes.
    std::function<void(const SdkLightingFrame&)> write;
  };

  OpenRgbServer(Window window, SdkServerSettings settings, QObject* parent = nullptr);
  ~OpenRgbServer() override;

  // kIo naming the port when it cannot be taken (another OpenRGB server may hold it).
  Status Listen(quint16 port);
  bool listening() const { return server_.isListening(); }
  quint16 port() const { return server_.serverPort(); }
  std::size_t client_count() const { return sockets_.size(); }

  void OnKeyboardPresence(bool present);
  void OnSequenceEnded() { WriteDue(); }

 private:
  void OnNewConnection();
  void OnReadable(QTcpSocket* socket);
  void OnGone(QTcpSocket* socket);
  void WriteDue();
  std::int64_t NowUs() const { return clock_.nsecsElapsed() / 1000; }

  Window window_;
  SdkServer model_;
  QTcpServer server_;
  std::map<QTcpSocket*, SdkServer::ConnectionId> sockets_;
  QTimer write_timer_;
  QElapsedTimer clock_;
  bool present_ = true;
};

}  // namespace n240qx
