#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace n240qx::testing {

// Just enough JSON to check the tool's output by its shape, not by its spelling.
struct JsonValue {
  using Array = std::vector<JsonValue>;
  using Object = std::map<std::string, JsonValue>;
  std::variant<std::nullptr_t, bool, double, std::string, Array, Object> data;

  bool IsNull() const { return std::holds_alternative<std::nullptr_t>(data); }
  bool IsNumber() const { return std::holds_alternative<double>(data); }
  bool IsString() const { return std::holds_alternative<std::string>(data); }
  bool IsArray() const { return std::holds_alternative<Array>(data); }
  bool IsObject() const { return std::holds_alternative<Object>(data); }
  bool IsBool() const { return std::holds_alternative<bool>(data); }

  double Number() const { return std::get<double>(data); }
  const std::string& String() const { return std::get<std::string>(data); }
  const Array& Items() const { return std::get<Array>(data); }
  const Object& Members() const { return std::get<Object>(data); }
  bool Bool() const { return std::get<bool>(data); }
  // A member of an object; throws when it is missing, so a test fails loudly.
  const JsonValue& operator[](const std::string& key) const { return Members().at(key); }
  const JsonValue& operator[](std::size_t index) const { return Items().at(index); }
};

// The whole text must be one JSON value (trailing white space allowed); nothing otherwise.
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace n240qx::testing
