#include "cli/StopSignals.h"

#include <csignal>

namespace n240qx {

namespace {

// A signal handler reaches no object: the one thing it may do is set this.
volatile std::sig_atomic_t received_signal = 0;
volatile std::sig_atomic_t signal_count = 0;

extern "C" void NoteSignal(int signal_number) {
  received_signal = signal_number;
  signal_count = signal_count + 1;
}

}  // namespace

void StopSignals::Install() {
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  // Restarted calls keep the file and HID I/O of the running sequence whole.
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

int StopSignals::Received() {
  return received_signal;
}

int StopSignals::Count() {
  return signal_count;
}

}  // namespace n240qx
