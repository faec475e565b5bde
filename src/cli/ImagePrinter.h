#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "app/FirmwareVersion.h"
#include "config/ConfigImage.h"

namespace n240qx {

// Every field of the image: as text for people, as one JSON object for scripts (numbers for
// the single settings, upper-case hex strings for the byte regions).
void PrintImageText(const ConfigImage& image, const std::optional<FirmwareVersion>& firmware,
                    std::ostream& out);
std::string ImageJson(const ConfigImage& image, const std::optional<FirmwareVersion>& firmware);

}  // namespace n240qx
