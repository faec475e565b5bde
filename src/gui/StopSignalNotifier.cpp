#include "gui/StopSignalNotifier.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace n240qx {

namespace {

// The write end for the handler, which may touch nothing but this.
volatile std::sig_atomic_t signal_pipe = -1;

extern "C" void WriteSignalToPipe(int signal_number) {
  const auto byte = static_cast<unsigned char>(signal_number);
  // Nothing to do when it fails: the pipe is full of earlier requests to stop.
  [[maybe_unused]] const ssize_t written = ::write(signal_pipe, &byte, 1);
}

void Handle(int signal_number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal_number, &action, nullptr);
}

}  // namespace

StopSignalNotifier::StopSignalNotifier(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) {
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(fds_[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { ReadPipe(); });
  signal_pipe = fds_[0];
  Handle(SIGTERM, WriteSignalToPipe);
  Handle(SIGINT, WriteSignalToPipe);
}

StopSignalNotifier::~StopSignalNotifier() {
  if (notifier_) {
    Handle(SIGTERM, SIG_DFL);
    Handle(SIGINT, SIG_DFL);
    signal_pipe = -1;
    notifier_.reset();
    ::close(fds_[0]);
    ::close(fds_[1]);
  }
}

void StopSignalNotifier::ReadPipe() {
  unsigned char byte = 0;
  while (::read(fds_[1], &byte, 1) == 1) {
    emit StopRequested(byte);
  }
}

}  // namespace n240qx
