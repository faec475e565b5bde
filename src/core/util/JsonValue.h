#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace n240qx {

struct JsonMember;

// One parsed JSON value. Integers that fit 64 bits stay exact; any other number is kept as a
// double. Members keep the order of the text, which has no duplicate names.
struct JsonValue {
  using Array = std::vector<JsonValue>;
  using Object = std::vector<JsonMember>;
  std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, Array, Object> data;

  // The member of that name, nullptr when there is none or this is no object.
  const JsonValue* Member(std::string_view name) const;
};

// A named member of an object. Not a std::pair: a pair of a type still being defined cannot be
// a variant's alternative with every standard library.
struct JsonMember {
  JsonMember(std::string member_name, JsonValue member_value)
      : name(std::move(member_name)), value(std::move(member_value)) {}

  std::string name;
  JsonValue value;
};

}  // namespace n240qx
