#pragma once

#include <optional>
#include <string>

#include "app/Texts.h"
#include "device/FirmwareVersion.h"

namespace n240qx {

// What "About" tells: the program's name, its version and licence as the build gives them,
// and the firmware version of the keyboard last read.
struct AboutBox {
  std::string title;
  std::string text;

  static AboutBox For(const Texts& texts, const std::optional<FirmwareVersion>& firmware);
  static const char* ProgramVersion();
  static const char* Licence();
};

}  // namespace n240qx
