#include "util/JsonValue.h"

namespace n240qx {

const JsonValue* JsonValue::Member(std::string_view name) const {
  const auto* object = std::get_if<Object>(&data);
  if (object == nullptr) {
    return nullptr;
  }
  for (const auto& [key, value] : *object) {
    if (key == name) {
      return &value;
    }
  }
  return nullptr;
}

}  // namespace n240qx
