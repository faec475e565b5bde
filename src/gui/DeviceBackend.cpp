#include "gui/DeviceBackend.h"

#include "app/ProgramPaths.h"
#include "device/DeviceLink.h"
#include "gui/AppOptions.h"
#include "hid/HidapiLink.h"
#include "hid/UdevHotplugMonitor.h"
#include "sim/SimulatedHotplugMonitor.h"
#include "sim/SimulatedLink.h"
#include "util/RealClock.h"

namespace n240qx {

namespace {

constexpr const char* kFallbackStateName = "simulated-keyboard.bin";

Result<DeviceBackend::Transport> SimulatorTransport(
    const std::optional<std::filesystem::path>& state_file) {
  std::unique_ptr<SimulatedLink> link;
  if (state_file) {
    auto with_state = SimulatedLink::WithStateFile(*state_file);
    if (!with_state.ok()) {
      return with_state.error();
    }
    link = std::move(*with_state);
  } else {
    link = std::make_unique<SimulatedLink>();
  }
  auto monitor = std::make_unique<SimulatedHotplugMonitor>(*link);
  return DeviceBackend::Transport{std::move(link), std::move(monitor), true};
}

DeviceBackend::Transport HardwareTransport() {
  return {std::make_unique<HidapiLink>(), std::make_unique<UdevHotplugMonitor>(), false};
}

}  // namespace

Result<std::unique_ptr<DeviceBackend>> DeviceBackend::FromOptions(const AppOptions& options,
                                                                  const ProgramPaths& paths) {
  Setup setup;
  setup.wire_log = options.wire_log;
  if (options.simulate) {
    auto transport = SimulatorTransport(options.simulate_state);
    if (!transport.ok()) {
      return transport.error();
    }
    setup.transport = std::move(*transport);
  } else {
    setup.transport = HardwareTransport();
    setup.fallback_state = paths.data_folder() / kFallbackStateName;
  }
  return Create(std::move(setup));
}

Result<std::unique_ptr<DeviceBackend>> DeviceBackend::Create(Setup setup) {
  std::unique_ptr<DeviceBackend> backend(new DeviceBackend());
  backend->clock_ = setup.clock ? std::move(setup.clock) : std::make_unique<RealClock>();
  if (setup.wire_log) {
    if (Status opened = backend->OpenWireLog(*setup.wire_log); !opened.ok()) {
      return opened.error();
    }
  }
  backend->transport_ = std::move(setup.transport);
  backend->fallback_state_ = std::move(setup.fallback_state);
  return backend;
}

DeviceBackend::~DeviceBackend() {
  session_.reset();
  if (hardware_ && hardware_->monitor) {
    hardware_->monitor->Stop();
  }
}

Status DeviceBackend::OpenWireLog(const std::filesystem::path& file) {
  wire_file_.open(file, std::ios::out | std::ios::trunc);
  if (!wire_file_) {
    return Error{ErrorCode::kIo, "Cannot create the wire log " + file.string()};
  }
  wire_log_ = std::make_unique<WireLog>(*clock_, &wire_file_, false);
  return Status::Ok();
}

void DeviceBackend::BuildSession(SessionEvents& events) {
  HidLink* link = transport_.link.get();
  if (wire_log_) {
    logging_link_ = std::make_unique<LoggingHidLink>(*transport_.link, *wire_log_);
    link = logging_link_.get();
  }
  session_ = std::make_unique<DeviceSession>(*link, *clock_, dispatcher_, events);
  if (transport_.monitor) {
    KeepWatchFailure(session_->WatchHotplug(*transport_.monitor));
  }
}

void DeviceBackend::StartSession(SessionEvents& events) {
  session_.reset();
  watch_failure_.reset();
  BuildSession(events);
}

Status DeviceBackend::FallBackToSimulator(SessionEvents& events,
                                          std::function<void()> keyboard_arrived) {
  if (!CanFallBack()) {
    return Error{ErrorCode::kInvalidArgument, "The simulator is already in use"};
  }
  auto transport = SimulatorTransport(fallback_state_);
  if (!transport.ok()) {
    return transport.error();
  }
  // The old session goes first: it stops the monitor and closes the handles of the old link.
  session_.reset();
  logging_link_.reset();
  hardware_ = std::move(transport_);
  transport_ = std::move(*transport);
  keyboard_arrived_ = std::move(keyboard_arrived);
  watch_failure_.reset();
  WatchHardware();
  BuildSession(events);
  return Status::Ok();
}

void DeviceBackend::WatchHardware() {
  if (!hardware_->monitor) {
    return;
  }
  KeepWatchFailure(hardware_->monitor->Start([this](HotplugEvent event) {
    if (event != HotplugEvent::kArrival) {
      return;
    }
    // The monitor's thread: the owning thread decides, when it next gets round to it.
    dispatcher_.Post([this] {
      if (hardware_ && keyboard_arrived_) {
        // A copy: the callback may replace the session and, with it, this backend's state.
        const std::function<void()> arrived = keyboard_arrived_;
        arrived();
      }
    });
  }));
}

void DeviceBackend::KeepWatchFailure(const Status& watching) {
  if (!watching.ok()) {
    watch_failure_ = watching.error();
  }
}

bool DeviceBackend::HardwareKeyboardPresent() {
  DeviceLink probe(*hardware_->link);
  return probe.FindKeyboardInterface(kCommandInterfaceMarker);
}

Status DeviceBackend::ReturnToHardware(SessionEvents& events) {
  if (!hardware_) {
    return Error{ErrorCode::kInvalidArgument, "The keyboard is already in use"};
  }
  if (!HardwareKeyboardPresent()) {
    return Error{ErrorCode::kNotFound, "The keyboard is not attached"};
  }
  if (hardware_->monitor) {
    // Its watch ends before the new session starts it with the session's own handlers.
    hardware_->monitor->Stop();
  }
  // The simulator's session stops before its link and monitor go, and before the logging
  // link that wraps that link.
  session_.reset();
  logging_link_.reset();
  transport_ = std::move(*hardware_);
  hardware_.reset();
  watch_failure_.reset();
  BuildSession(events);
  return Status::Ok();
}

}  // namespace n240qx
