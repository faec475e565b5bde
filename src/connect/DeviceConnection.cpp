#include "connect/DeviceConnection.h"

namespace n240qx {

DeviceConnection::DeviceConnection(const DeviceTransport& transport, WireLog* wire_log,
                                   Clock& clock, Dispatcher& dispatcher, SessionEvents& events)
    : simulated_(transport.simulated), link_(transport.link) {
  HidLink* link = link_.get();
  if (wire_log != nullptr) {
    logging_link_ = std::make_unique<LoggingHidLink>(*link_, *wire_log);
    link = logging_link_.get();
  }
  session_ = std::make_unique<DeviceSession>(*link, clock, dispatcher, events);
  if (transport.new_monitor) {
    monitor_ = transport.new_monitor();
    if (Status watching = session_->WatchHotplug(*monitor_); !watching.ok()) {
      watch_failure_ = watching.error();
    }
  }
}

}  // namespace n240qx
