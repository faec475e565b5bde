#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connect/DeviceConnection.h"
#include "connect/DeviceTransport.h"
#include "connect/QuietSessionEvents.h"
#include "device/HotplugMonitor.h"
#include "device/SessionEvents.h"
#include "device/WireLog.h"
#include "util/Clock.h"
#include "util/Dispatcher.h"
#include "util/Result.h"
#include "util/TallyingClock.h"
#include "util/VirtualClock.h"

namespace n240qx {

// Builds the connections of one program run, the window's and the tool's alike: to the keyboard
// it was started for (hidapi or, with --simulate, the simulator) and, for the window, to the
// simulator standing in while no keyboard is attached. Every connection writes to the one wire
// log, so a run's log stays whole across a switch. Outlives the connections it built.
class DeviceConnectionFactory {
 public:
  struct Options {
    DeviceTransport keyboard;
    // Where a stand-in simulator keeps its memory; none is offered when empty.
    std::optional<std::filesystem::path> fallback_state;
    std::optional<std::filesystem::path> wire_log;
    std::unique_ptr<Clock> clock;  // a RealClock when null
  };

  // What a program's command line chose.
  struct Choice {
    // --simulate[=STATE]: the simulator, its memory kept in `state_file` when one is named;
    // otherwise hidapi.
    bool simulate = false;
    std::optional<std::filesystem::path> state_file;
    std::optional<std::filesystem::path> wire_log;
    // Without --simulate: where a stand-in simulator keeps its memory, if one is offered.
    std::optional<std::filesystem::path> fallback_state;
    // The simulator reports its own plugging (the window shows it; the tool has no use for it).
    bool watch_simulator = false;
  };

  // kIo when the wire log cannot be created.
  static Result<std::unique_ptr<DeviceConnectionFactory>> Create(Options options);
  // Also: a damaged state file, or one that cannot be written.
  static Result<std::unique_ptr<DeviceConnectionFactory>> FromChoice(const Choice& choice);
  DeviceConnectionFactory(const DeviceConnectionFactory&) = delete;
  DeviceConnectionFactory& operator=(const DeviceConnectionFactory&) = delete;

  // The sessions post to `dispatcher` and report to `events`; both must outlive the connection
  // and every task its session posted.
  std::unique_ptr<DeviceConnection> ConnectKeyboard(Dispatcher& dispatcher, SessionEvents& events);
  // The keyboard the program was started for is the simulator (--simulate).
  bool SimulatesKeyboard() const { return keyboard_.simulated; }
  bool CanFallBack() const { return !keyboard_.simulated && fallback_state_.has_value(); }
  // The stand-in simulator, on the memory it kept last time. Errors: a damaged state file, one
  // that cannot be written; kInvalidArgument when none is offered.
  Result<std::unique_ptr<DeviceConnection>> ConnectStandIn(Dispatcher& dispatcher,
                                                           SessionEvents& events);
  // A dry run's keyboard: a simulator in memory that takes and acknowledges every report, on a
  // virtual clock (its pauses take no time) and with a wire log of its own, so the sequences
  // run unchanged and what they send is recorded, not sent. Nothing reaches a keyboard, a file
  // or the run's wire log; its events go nowhere. Results arrive through `dispatcher`.
  std::unique_ptr<DeviceConnection> ConnectDryRun(Dispatcher& dispatcher);
  // The reports the dry-run connections sent since the last call, as the wire log writes them
  // without the time ("out feature 00 18 01 ..."); what came back is left out.
  std::vector<std::string> TakeDryRunSent();
  // A monitor of the keyboard's own plugging, not yet started; null when there is none.
  std::unique_ptr<HotplugMonitor> NewKeyboardMonitor() const;
  // The keyboard's command interface is there (udev also reports other HID devices, and a
  // keyboard in firmware-update mode has none).
  bool KeyboardAttached() const;
  // The time the connections built here spent in the keyboard's pauses so far; the dry run's
  // virtual pauses are not counted.
  std::int64_t PausedMs() const { return clock_.PausedMs(); }

 private:
  explicit DeviceConnectionFactory(Options options);
  Status OpenWireLog(const std::filesystem::path& file);
  std::unique_ptr<DeviceConnection> Build(const DeviceTransport& transport, Dispatcher& dispatcher,
                                          SessionEvents& events);

  DeviceTransport keyboard_;
  std::optional<std::filesystem::path> fallback_state_;
  TallyingClock clock_;
  std::ofstream wire_file_;
  std::unique_ptr<WireLog> wire_log_;
  VirtualClock dry_run_clock_;
  WireLog dry_run_log_{dry_run_clock_, nullptr, true};
  QuietSessionEvents dry_run_events_;
};

}  // namespace n240qx
