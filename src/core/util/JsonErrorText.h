#pragma once

#include <string>

#include "util/JsonError.h"
#include "util/Language.h"

namespace n240qx {

// The words of a JSON refusal: "line L, column C: reason", or the same in German.
class JsonErrorText {
 public:
  static std::string For(const JsonError& error, Language language);
};

}  // namespace n240qx
