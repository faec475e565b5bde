#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device/FirmwareVersion.h"

namespace n240qx {

// "1.4", as the window, the tool and the bus show a version; `unknown` when there is none.
std::string FirmwareVersionText(const std::optional<FirmwareVersion>& version,
                                std::string_view unknown = {});

}  // namespace n240qx
