#pragma once

#include <memory>
#include <optional>

#include "connect/DeviceTransport.h"
#include "device/DeviceSession.h"
#include "device/LoggingHidLink.h"
#include "device/SessionEvents.h"
#include "device/WireLog.h"
#include "util/Clock.h"
#include "util/Dispatcher.h"
#include "util/Result.h"

namespace n240qx {

// One session with one keyboard, real or simulated, and everything it runs on: the link, the
// wire log's decorator, the hotplug monitor, and the session's worker and listener. Destroying
// it stops the session before anything the session uses goes, so replacing a connection is
// one reset.
class DeviceConnection {
 public:
  // `wire_log` may be null; it, `clock`, `dispatcher` and `events` must outlive the connection,
  // `dispatcher` and `events` also every task the session posted.
  DeviceConnection(const DeviceTransport& transport, WireLog* wire_log, Clock& clock,
                   Dispatcher& dispatcher, SessionEvents& events);
  DeviceConnection(const DeviceConnection&) = delete;
  DeviceConnection& operator=(const DeviceConnection&) = delete;

  DeviceSession& session() { return *session_; }
  bool simulated() const { return simulated_; }
  // Why the hotplug monitor could not start (arrivals and removals then go unnoticed); empty
  // while it runs or when there is none.
  const std::optional<Error>& watch_failure() const { return watch_failure_; }

 private:
  bool simulated_;
  std::optional<Error> watch_failure_;
  std::shared_ptr<HidLink> link_;
  std::unique_ptr<LoggingHidLink> logging_link_;
  std::unique_ptr<HotplugMonitor> monitor_;
  // Last: it stops the monitor, its worker and its listener before anything above goes.
  std::unique_ptr<DeviceSession> session_;
};

}  // namespace n240qx
