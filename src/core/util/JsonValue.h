#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace n240qx {

// One parsed JSON value. Integers that fit 64 bits stay exact; any other number is kept as a
// double. Members keep the order of the text, which has no duplicate names.
struct JsonValue {
  using Array = std::vector<JsonValue>;
  using Object = std::vector<std::pair<std::string, JsonValue>>;
  std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, Array, Object> data;

  // The member of that name, nullptr when there is none or this is no object.
  const JsonValue* Member(std::string_view name) const;
};

}  // namespace n240qx
