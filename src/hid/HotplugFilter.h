#pragma once

#include <optional>
#include <string_view>

#include "device/HotplugMonitor.h"
#include "hid/HidId.h"

namespace n240qx {

// Which udev events on a hidraw node the program hears of: the addition and removal of a node
// of the keyboard (vendor 0x04D9, product 0xA124) or of the keyboard in firmware-update mode
// (product 0xA126). Any other device, and any other action, is nobody's business here.
std::optional<HotplugEvent> ClassifyHidrawEvent(std::string_view action,
                                                const std::optional<HidId>& id);

}  // namespace n240qx
