#include "device/FirmwareVersionText.h"

namespace n240qx {

std::string FirmwareVersionText(const std::optional<FirmwareVersion>& version,
                                std::string_view unknown) {
  if (!version) {
    return std::string(unknown);
  }
  return std::to_string(version->major) + "." + std::to_string(version->minor);
}

}  // namespace n240qx
