#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "device/AckSignal.h"
#include "device/EventChannel.h"
#include "device/EventReport.h"

namespace n240qx {

// The listener thread: reads event reports from the keyboard's event interface, raises the
// acknowledgement signal itself and hands every other report on without waiting for it to be
// handled (the handler posts it to the owning thread), so a write waiting for an
// acknowledgement can never wait on the listener. A read that fails for good (unplug, closed
// handle) ends the listener and tells a waiting write so.
class EventListener {
 public:
  using ReportHandler = std::function<void(const EventReport&)>;

  EventListener(EventChannel& channel, AckSignal& ack, ReportHandler handler);
  ~EventListener();
  EventListener(const EventListener&) = delete;
  EventListener& operator=(const EventListener&) = delete;

  // Starts the thread unless one runs; a listener that ended by itself is joined first.
  void Start();
  // Sets the stop flag, wakes the thread's read and joins.
  void Stop();
  bool running() const { return running_.load(); }

 private:
  void Run();

  EventChannel& channel_;
  AckSignal& ack_;
  ReportHandler handler_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace n240qx
