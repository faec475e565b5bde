#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include "device/DeviceSession.h"
#include "device/HidLink.h"
#include "device/HotplugMonitor.h"
#include "device/LoggingHidLink.h"
#include "device/SessionEvents.h"
#include "device/WireLog.h"
#include "gui/QtDispatcher.h"
#include "util/Clock.h"
#include "util/Result.h"

namespace n240qx {

struct AppOptions;
class ProgramPaths;

// The keyboard the window talks to and the session that talks to it: the hidapi backend with
// the udev monitor, or the built-in simulator. Without --simulate the program tries the real
// keyboard first and, when none is attached, carries on with the simulator (whose memory is
// kept in `fallback_state`), so that it can always be tried out.
class DeviceBackend {
 public:
  struct Transport {
    std::unique_ptr<HidLink> link;
    std::unique_ptr<HotplugMonitor> monitor;  // may be null: no arrival or removal then
    bool simulated = false;
  };
  struct Setup {
    Transport transport;
    std::unique_ptr<Clock> clock;  // a RealClock when null
    // Where a fallback simulator keeps its memory; no fallback when empty.
    std::optional<std::filesystem::path> fallback_state;
    std::optional<std::filesystem::path> wire_log;
  };

  // --simulate[=STATE] gives the simulator, otherwise hidapi with the simulator behind it.
  // Errors: a damaged state file, a wire log that cannot be created.
  static Result<std::unique_ptr<DeviceBackend>> FromOptions(const AppOptions& options,
                                                            const ProgramPaths& paths);
  static Result<std::unique_ptr<DeviceBackend>> Create(Setup setup);

  DeviceBackend(const DeviceBackend&) = delete;
  DeviceBackend& operator=(const DeviceBackend&) = delete;
  ~DeviceBackend();

  // The session reports to `events`, which must outlive this backend.
  void StartSession(SessionEvents& events);
  DeviceSession& session() { return *session_; }

  bool simulated() const { return transport_.simulated; }
  // Why a hotplug monitor could not start (arrivals and removals then go unnoticed); empty
  // while every monitor runs.
  const std::optional<Error>& watch_failure() const { return watch_failure_; }
  bool CanFallBack() const { return !transport_.simulated && fallback_state_.has_value(); }
  // No keyboard is attached: the session is rebuilt on the simulator. Errors leave the
  // hardware session as it was. The hardware stays watched meanwhile: when the keyboard turns
  // up, `keyboard_arrived` runs on the owning thread (it may call ReturnToHardware).
  Status FallBackToSimulator(SessionEvents& events, std::function<void()> keyboard_arrived = {});
  // On the fallback simulator with the keyboard attached again: the simulator's session goes
  // and the session is rebuilt on the hardware, not yet connected. kNotFound, with nothing
  // changed, while the keyboard is not there (udev also reports other HID devices).
  Status ReturnToHardware(SessionEvents& events);

 private:
  DeviceBackend() = default;
  Status OpenWireLog(const std::filesystem::path& file);
  void BuildSession(SessionEvents& events);
  void WatchHardware();
  void KeepWatchFailure(const Status& watching);
  bool HardwareKeyboardPresent();

  std::unique_ptr<Clock> clock_;
  QtDispatcher dispatcher_;
  std::ofstream wire_file_;
  std::unique_ptr<WireLog> wire_log_;
  Transport transport_;
  std::unique_ptr<LoggingHidLink> logging_link_;
  std::optional<std::filesystem::path> fallback_state_;
  std::function<void()> keyboard_arrived_;
  std::optional<Error> watch_failure_;
  // The hardware while the simulator stands in for it. Its monitor posts to the dispatcher
  // above, so it goes (and stops) first.
  std::optional<Transport> hardware_;
  // Last: it is stopped before the link, the monitor and the dispatcher it uses go.
  std::unique_ptr<DeviceSession> session_;
};

}  // namespace n240qx
