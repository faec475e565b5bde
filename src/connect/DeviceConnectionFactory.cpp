#include "connect/DeviceConnectionFactory.h"

#include "device/DeviceLink.h"
#include "sim/SimulatedLink.h"
#include "util/RealClock.h"

namespace n240qx {

Result<std::unique_ptr<DeviceConnectionFactory>> DeviceConnectionFactory::Create(Options options) {
  const auto wire_log = options.wire_log;
  std::unique_ptr<DeviceConnectionFactory> factory(new DeviceConnectionFactory(std::move(options)));
  if (wire_log) {
    if (Status opened = factory->OpenWireLog(*wire_log); !opened.ok()) {
      return opened.error();
    }
  }
  return factory;
}

Result<std::unique_ptr<DeviceConnectionFactory>> DeviceConnectionFactory::FromChoice(
    const Choice& choice) {
  Options options;
  if (choice.simulate) {
    auto simulator = DeviceTransport::Simulator(choice.state_file, choice.watch_simulator);
    if (!simulator.ok()) {
      return simulator.error();
    }
    options.keyboard = std::move(*simulator);
  } else {
    options.keyboard = DeviceTransport::Hardware();
    options.fallback_state = choice.fallback_state;
  }
  options.wire_log = choice.wire_log;
  return Create(std::move(options));
}

DeviceConnectionFactory::DeviceConnectionFactory(Options options)
    : keyboard_(std::move(options.keyboard)),
      fallback_state_(std::move(options.fallback_state)),
      clock_(options.clock ? std::move(options.clock) : std::make_unique<RealClock>()) {}

Status DeviceConnectionFactory::OpenWireLog(const std::filesystem::path& file) {
  wire_file_.open(file, std::ios::out | std::ios::trunc);
  if (!wire_file_) {
    return Error{ErrorCode::kIo, "cannot create the wire log " + file.string()};
  }
  wire_log_ = std::make_unique<WireLog>(clock_, &wire_file_, false);
  return Status::Ok();
}

std::unique_ptr<DeviceConnection> DeviceConnectionFactory::Build(const DeviceTransport& transport,
                                                                 Dispatcher& dispatcher,
                                                                 SessionEvents& events) {
  return std::make_unique<DeviceConnection>(transport, wire_log_.get(), clock_, dispatcher, events);
}

std::unique_ptr<DeviceConnection> DeviceConnectionFactory::ConnectKeyboard(Dispatcher& dispatcher,
                                                                           SessionEvents& events) {
  return Build(keyboard_, dispatcher, events);
}

Result<std::unique_ptr<DeviceConnection>> DeviceConnectionFactory::ConnectStandIn(
    Dispatcher& dispatcher, SessionEvents& events) {
  if (!CanFallBack()) {
    return Error{ErrorCode::kInvalidArgument, "The simulator is already in use"};
  }
  auto stand_in = DeviceTransport::Simulator(fallback_state_, true);
  if (!stand_in.ok()) {
    return stand_in.error();
  }
  return Build(*stand_in, dispatcher, events);
}

std::unique_ptr<DeviceConnection> DeviceConnectionFactory::ConnectDryRun(Dispatcher& dispatcher) {
  const DeviceTransport in_memory =
      DeviceTransport::OnSimulator(std::make_shared<SimulatedLink>(), false);
  return std::make_unique<DeviceConnection>(in_memory, &dry_run_log_, dry_run_clock_, dispatcher,
                                            dry_run_events_);
}

std::vector<std::string> DeviceConnectionFactory::TakeDryRunSent() {
  std::vector<std::string> sent;
  for (const WireLogEntry& entry : dry_run_log_.Entries()) {
    if (entry.direction == WireDirection::kOut) {
      sent.push_back(entry.Untimed());
    }
  }
  dry_run_log_.Clear();
  return sent;
}

std::unique_ptr<HotplugMonitor> DeviceConnectionFactory::NewKeyboardMonitor() const {
  return keyboard_.new_monitor ? keyboard_.new_monitor() : nullptr;
}

bool DeviceConnectionFactory::KeyboardAttached() const {
  DeviceLink probe(*keyboard_.link);
  return probe.FindKeyboardInterface(kCommandInterfaceMarker);
}

}  // namespace n240qx
