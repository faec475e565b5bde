#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace n240qx {

// A single value as the tool prints it: numbers for ranges, booleans for on/off, text else.
using JsonScalar = std::variant<std::int64_t, bool, std::string>;

// Builds one JSON document in order: the caller opens and closes objects and arrays, names
// members, and adds values. Commas and string escapes are its business.
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member of the open object.
  void Key(std::string_view name);
  void String(std::string_view value);
  void Number(std::int64_t value);
  void Bool(bool value);
  void Null();
  void Value(const JsonScalar& value);

  const std::string& text() const { return text_; }

 private:
  void BeforeValue();
  void Quote(std::string_view value);

  std::string text_;
  // Per open container: whether it already holds a value.
  std::vector<bool> has_value_;
  bool after_key_ = false;
};

}  // namespace n240qx
