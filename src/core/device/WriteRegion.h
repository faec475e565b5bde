#pragma once

#include <string>

#include "image/ImageField.h"

namespace n240qx {

// One region of the image that a write step carries, by name for messages.
struct WriteRegion {
  std::string name;
  ImageField field;
};

}  // namespace n240qx
