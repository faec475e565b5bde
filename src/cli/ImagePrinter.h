#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "device/FirmwareVersion.h"
#include "image/ConfigImage.h"

namespace n240qx {

// Every field of the image as a dump of every byte region (read --raw).
void PrintImageText(const ConfigImage& image, const std::optional<FirmwareVersion>& firmware,
                    std::ostream& out);

}  // namespace n240qx
