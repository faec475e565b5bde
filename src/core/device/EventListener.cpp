#include "device/EventListener.h"

#include <utility>

#include "device/EventAction.h"

namespace n240qx {

EventListener::EventListener(EventChannel& channel, AckSignal& ack, ReportHandler handler)
    : channel_(channel), ack_(ack), handler_(std::move(handler)) {}

EventListener::~EventListener() {
  Stop();
}

void EventListener::Start() {
  if (running_.load()) {
    return;
  }
  if (thread_.joinable()) {
    thread_.join();
  }
  stop_.store(false);
  running_.store(true);
  ack_.MarkListening();
  thread_ = std::thread([this] { Run(); });
}

void EventListener::Stop() {
  stop_.store(true);
  channel_.InterruptRead();
  if (thread_.joinable()) {
    thread_.join();
  }
  running_.store(false);
}

void EventListener::Run() {
  while (!stop_.load()) {
    auto read = channel_.ReadEventReport(kMaxEventWaitMs);
    if (!read.ok()) {
      ack_.MarkLinkLost();
      break;
    }
    if (!read->has_value()) {
      continue;
    }
    const EventReport& report = **read;
    if (ClassifyEvent(report) == EventAction::kAcknowledgement) {
      ack_.Acknowledge();
    } else {
      handler_(report);
    }
  }
  running_.store(false);
}

}  // namespace n240qx
