#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "app/FirmwareVersion.h"
#include "config/ConfigImage.h"

namespace n240qx {

// Every field of the image: as a dump of every byte region (read --raw), and as one JSON object
// for scripts (the settings typed as ShownSettings gives them, upper-case hex strings for the
// byte regions).
void PrintImageText(const ConfigImage& image, const std::optional<FirmwareVersion>& firmware,
                    std::ostream& out);
std::string ImageJson(const ConfigImage& image, const std::optional<FirmwareVersion>& firmware);

}  // namespace n240qx
