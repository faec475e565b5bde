#pragma once

#include <string_view>

namespace n240qx {

// An OK/Cancel question the window asks on the model's behalf.
struct ConfirmPrompt {
  std::string_view title;
  std::string_view question;
};

}  // namespace n240qx
