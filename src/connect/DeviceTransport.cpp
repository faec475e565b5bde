#include "connect/DeviceTransport.h"

#include "hid/HidapiLink.h"
#include "hid/UdevHotplugMonitor.h"
#include "sim/SimulatedHotplugMonitor.h"
#include "sim/SimulatedLink.h"

namespace n240qx {

DeviceTransport DeviceTransport::Hardware() {
  return {std::make_shared<HidapiLink>(), [] { return std::make_unique<UdevHotplugMonitor>(); },
          false};
}

Result<DeviceTransport> DeviceTransport::Simulator(
    const std::optional<std::filesystem::path>& state_file, bool watched) {
  std::shared_ptr<SimulatedLink> link;
  if (state_file) {
    auto with_state = SimulatedLink::WithStateFile(*state_file);
    if (!with_state.ok()) {
      return with_state.error();
    }
    link = std::move(*with_state);
  } else {
    link = std::make_shared<SimulatedLink>();
  }
  return OnSimulator(std::move(link), watched);
}

DeviceTransport DeviceTransport::OnSimulator(std::shared_ptr<SimulatedLink> link, bool watched) {
  MonitorMaker monitors;
  if (watched) {
    // The maker keeps the link for as long as it may be asked for a monitor.
    monitors = [link] { return std::make_unique<SimulatedHotplugMonitor>(*link); };
  }
  return DeviceTransport{std::move(link), std::move(monitors), true};
}

}  // namespace n240qx
