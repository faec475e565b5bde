#pragma once

#include <string>

#include "image/ConfigImage.h"

namespace n240qx {

// The keyboard as the window shows it, for the answers to SDK clients.
struct SdkKeyboardView {
  bool present = false;
  const ConfigImage& image;
  std::string firmware;
  std::string location;
};

}  // namespace n240qx
