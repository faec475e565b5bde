#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/HidInterfaceInfo.h"
#include "device/HotplugMonitor.h"
#include "sim/SimulatedHidDevice.h"

namespace n240qx {

// What the simulated keyboard shows on the bus: plugged in or not, in update mode or not,
// whether its nodes may be opened, and which plug-in a handle belongs to. A plain value; the hub
// keeps it under its lock.
class SimulatorPlugState {
 public:
  std::vector<HidInterfaceInfo> Interfaces() const;
  // The role of the interface at `path` as the bus shows it now.
  std::optional<SimInterfaceRole> RoleAt(const std::string& path) const;

  // Every change of what the bus shows is a removal of the old device and an arrival of the new
  // one; handles on the old one are dead from then on. Returns those events, in order.
  std::vector<HotplugEvent> Reconnect(bool plugged, bool update_mode);

  bool plugged() const { return plugged_; }
  bool update_mode() const { return update_mode_; }
  // Plugged in and not updating: the keyboard can send events.
  bool working() const { return plugged_ && !update_mode_; }
  bool permission_denied() const { return permission_denied_; }
  void set_permission_denied(bool denied) { permission_denied_ = denied; }
  std::uint64_t connection() const { return connection_; }

 private:
  bool plugged_ = true;
  bool update_mode_ = false;
  bool permission_denied_ = false;
  std::uint64_t connection_ = 1;
};

}  // namespace n240qx
