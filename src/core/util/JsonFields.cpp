#include "util/JsonFields.h"

namespace n240qx::json_fields {

namespace {

std::string_view TypeName(const JsonValue& value) {
  static constexpr std::string_view kNames[] = {
      "null", "a boolean", "a number", "a fractional number", "a text", "an array", "an object"};
  return kNames[value.data.index()];
}

Error WrongType(const JsonValue& value, const std::string& path, std::string_view expected) {
  return Bad(path, std::string(expected) + " expected, not " + std::string(TypeName(value)));
}

}  // namespace

Error Bad(const std::string& path, std::string_view reason) {
  return Error{ErrorCode::kBadData,
               path.empty() ? std::string(reason) : path + ": " + std::string(reason)};
}

std::string Child(const std::string& path, std::string_view name) {
  return path.empty() ? std::string(name) : path + "." + std::string(name);
}

std::string Child(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

Result<const JsonValue*> Member(const JsonValue& object, const std::string& path,
                                std::string_view name) {
  if (!std::holds_alternative<JsonValue::Object>(object.data)) {
    return WrongType(object, path, "an object");
  }
  const JsonValue* member = object.Member(name);
  if (member == nullptr) {
    return Bad(path, "missing field \"" + std::string(name) + "\"");
  }
  return member;
}

Status OnlyMembers(const JsonValue& object, const std::string& path,
                   std::initializer_list<std::string_view> known) {
  const auto* members = std::get_if<JsonValue::Object>(&object.data);
  if (members == nullptr) {
    return WrongType(object, path, "an object");
  }
  for (const auto& member : *members) {
    bool found = false;
    for (const std::string_view name : known) {
      found = found || member.name == name;
    }
    if (!found) {
      return Bad(path, "unknown field \"" + member.name + "\"");
    }
  }
  return Status::Ok();
}

Result<std::int64_t> Integer(const JsonValue& value, const std::string& path, std::int64_t low,
                             std::int64_t high) {
  const auto* number = std::get_if<std::int64_t>(&value.data);
  if (number == nullptr) {
    return WrongType(value, path, "a whole number");
  }
  if (*number < low || *number > high) {
    return Bad(path, std::to_string(*number) + " is out of range " + std::to_string(low) + ".." +
                         std::to_string(high));
  }
  return *number;
}

Result<std::string> Text(const JsonValue& value, const std::string& path) {
  const auto* text = std::get_if<std::string>(&value.data);
  if (text == nullptr) {
    return WrongType(value, path, "a text");
  }
  return *text;
}

Result<bool> Flag(const JsonValue& value, const std::string& path) {
  const auto* flag = std::get_if<bool>(&value.data);
  if (flag == nullptr) {
    return WrongType(value, path, "true or false");
  }
  return *flag;
}

Result<const JsonValue::Array*> Items(const JsonValue& value, const std::string& path,
                                      std::size_t count) {
  auto items = ItemsUpTo(value, path, count);
  if (items.ok() && (*items)->size() != count) {
    return Bad(path,
               std::to_string((*items)->size()) + " items; " + std::to_string(count) + " expected");
  }
  return items;
}

Result<const JsonValue::Array*> ItemsUpTo(const JsonValue& value, const std::string& path,
                                          std::size_t max) {
  const auto* items = std::get_if<JsonValue::Array>(&value.data);
  if (items == nullptr) {
    return WrongType(value, path, "an array");
  }
  if (items->size() > max) {
    return Bad(path, std::to_string(items->size()) + " items; at most " + std::to_string(max));
  }
  return items;
}

}  // namespace n240qx::json_fields
