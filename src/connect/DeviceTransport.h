#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "device/HidLink.h"
#include "device/HotplugMonitor.h"
#include "util/Result.h"

namespace n240qx {

class SimulatedLink;

// What connections to one keyboard are built on. The link is shared by every connection made
// to it (hidapi keeps one state per process, the simulator one memory); each connection gets a
// monitor of its own, so that no two of them ever start or stop the same one.
struct DeviceTransport {
  using MonitorMaker = std::function<std::unique_ptr<HotplugMonitor>()>;

  std::shared_ptr<HidLink> link;
  MonitorMaker new_monitor;  // null: arrivals and removals go unnoticed
  bool simulated = false;

  // The hidapi link with udev monitors.
  static DeviceTransport Hardware();
  // The built-in simulator, its memory kept in `state_file` when one is named; `watched` gives
  // it monitors of its own plugging. Errors: a damaged state file, one that cannot be written.
  static Result<DeviceTransport> Simulator(const std::optional<std::filesystem::path>& state_file,
                                           bool watched);
  // A simulator made elsewhere (tests keep it to plug and unplug).
  static DeviceTransport OnSimulator(std::shared_ptr<SimulatedLink> link, bool watched);
};

}  // namespace n240qx
