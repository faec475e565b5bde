#include "sim/SimulatorPlugState.h"

namespace n240qx {

namespace {

// The simulator's own copy of the ids, so that it stands for the keyboard and not for what the
// program believes about it.
constexpr std::uint16_t kVendorId = 0x04D9;
constexpr std::uint16_t kKeyboardProductId = 0xA124;
constexpr std::uint16_t kUpdateProductId = 0xA126;

struct SimInterface {
  const char* path;
  std::uint16_t product_id;
  SimInterfaceRole role;
};

// The interfaces in the Windows form that the marker search expects: the boot keyboard, four
// collections of interface 1 (the fourth carries the event reports) and the command interface.
constexpr SimInterface kKeyboardInterfaces[] = {
    {"sim/hidraw0#vid_04d9&pid_a124&mi_00", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col01", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col02", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col03", kKeyboardProductId, SimInterfaceRole::kOther},
    {"sim/hidraw1#vid_04d9&pid_a124&mi_01&col04", kKeyboardProductId, SimInterfaceRole::kEvent},
    {"sim/hidraw2#vid_04d9&pid_a124&mi_03", kKeyboardProductId, SimInterfaceRole::kCommand},
};
// In update mode the keyboard shows only the updater's interface, under another product id.
constexpr SimInterface kUpdateInterfaces[] = {
    {"sim/hidraw0#vid_04d9&pid_a126&mi_02", kUpdateProductId, SimInterfaceRole::kOther},
};

std::span<const SimInterface> PresentInterfaces(bool plugged, bool update_mode) {
  if (!plugged) {
    return {};
  }
  if (update_mode) {
    return kUpdateInterfaces;
  }
  return kKeyboardInterfaces;
}

}  // namespace

std::vector<HidInterfaceInfo> SimulatorPlugState::Interfaces() const {
  std::vector<HidInterfaceInfo> found;
  for (const SimInterface& interface : PresentInterfaces(plugged_, update_mode_)) {
    found.push_back({interface.path, kVendorId, interface.product_id, permission_denied_});
  }
  return found;
}

std::optional<SimInterfaceRole> SimulatorPlugState::RoleAt(const std::string& path) const {
  for (const SimInterface& interface : PresentInterfaces(plugged_, update_mode_)) {
    if (path == interface.path) {
      return interface.role;
    }
  }
  return std::nullopt;
}

std::vector<HotplugEvent> SimulatorPlugState::Reconnect(bool plugged, bool update_mode) {
  std::vector<HotplugEvent> events;
  if (plugged == plugged_ && update_mode == update_mode_) {
    return events;
  }
  if (plugged_) {
    ++connection_;
    events.push_back(HotplugEvent::kRemoval);
  }
  plugged_ = plugged;
  update_mode_ = update_mode;
  if (plugged_) {
    events.push_back(HotplugEvent::kArrival);
  }
  return events;
}

}  // namespace n240qx
