#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "util/JsonValue.h"

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
  // A whole parsed value, laid out to be read and compared line by line: the members of the
  // outermost object and the objects of an array one to a line, everything else on its line.
  void Document(const JsonValue& value);

  const std::string& text() const { return text_; }

 private:
  void BeforeValue();
  void Quote(std::string_view value);
  void Write(const JsonValue& value, std::size_t depth);
  void BreakLine(std::size_t depth);

  std::string text_;
  // Per open container: whether it already holds a value.
  std::vector<bool> has_value_;
  bool after_key_ = false;
  // Put after the comma (or before the first value) of the next value.
  std::string line_break_;
};

}  // namespace n240qx
