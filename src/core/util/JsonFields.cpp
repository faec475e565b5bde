#include "util/JsonFields.h"

#include "util/TextTable.h"

namespace n240qx::json_fields {

namespace {

// Indexed by the alternative a value holds.
constexpr std::array<TextRow<std::size_t>, 7> kTypeNames{{
    {0, "null", "null"},
    {1, "a boolean", "ein Wahrheitswert"},
    {2, "a number", "eine Zahl"},
    {3, "a fractional number", "eine Bruchzahl"},
    {4, "a text", "ein Text"},
    {5, "an array", "eine Liste"},
    {6, "an object", "ein Objekt"},
}};
static_assert(RowsFollowIds(kTypeNames));

// What a reader wanted, in both languages, as kTypeNames names values.
struct Expected {
  std::string_view english;
  std::string_view german;
};

constexpr Expected kObject{"an object", "ein Objekt"};
constexpr Expected kArray{"an array", "eine Liste"};

Error WrongType(const JsonValue& value, const FieldPath& path, Expected expected) {
  const std::string_view found = LookupText(kTypeNames, value.data.index(), path.language());
  return Bad(
      path, std::string(expected.english) + " expected, not " + std::string(found),
      "erwartet wird " + std::string(expected.german) + ", hier steht " + std::string(found));
}

}  // namespace

Error Bad(const FieldPath& path, std::string_view reason) {
  return Error{ErrorCode::kBadData, path.text().empty() ? std::string(reason)
                                                        : path.text() + ": " + std::string(reason)};
}

Error Bad(const FieldPath& path, std::string_view english, std::string_view german) {
  return Bad(path, path.german() ? german : english);
}

Result<const JsonValue*> Member(const JsonValue& object, const FieldPath& path,
                                std::string_view name) {
  if (!std::holds_alternative<JsonValue::Object>(object.data)) {
    return WrongType(object, path, kObject);
  }
  const JsonValue* member = object.Member(name);
  if (member == nullptr) {
    const std::string quoted = "\"" + std::string(name) + "\"";
    return Bad(path, "missing field " + quoted, "das Feld " + quoted + " fehlt");
  }
  return member;
}

Status OnlyMembers(const JsonValue& object, const FieldPath& path,
                   std::initializer_list<std::string_view> known) {
  const auto* members = std::get_if<JsonValue::Object>(&object.data);
  if (members == nullptr) {
    return WrongType(object, path, kObject);
  }
  for (const auto& member : *members) {
    bool found = false;
    for (const std::string_view name : known) {
      found = found || member.name == name;
    }
    if (!found) {
      const std::string quoted = "\"" + member.name + "\"";
      return Bad(path, "unknown field " + quoted, "unbekanntes Feld " + quoted);
    }
  }
  return Status::Ok();
}

Result<std::int64_t> Integer(const JsonValue& value, const FieldPath& path, std::int64_t low,
                             std::int64_t high) {
  const auto* number = std::get_if<std::int64_t>(&value.data);
  if (number == nullptr) {
    return WrongType(value, path, {"a whole number", "eine ganze Zahl"});
  }
  if (*number < low || *number > high) {
    const std::string range = std::to_string(low) + ".." + std::to_string(high);
    return Bad(path, std::to_string(*number) + " is out of range " + range,
               std::to_string(*number) + " liegt au\u00DFerhalb von " + range);
  }
  return *number;
}

Result<std::string> Text(const JsonValue& value, const FieldPath& path) {
  const auto* text = std::get_if<std::string>(&value.data);
  if (text == nullptr) {
    return WrongType(value, path, {"a text", "ein Text"});
  }
  return *text;
}

Result<bool> Flag(const JsonValue& value, const FieldPath& path) {
  const auto* flag = std::get_if<bool>(&value.data);
  if (flag == nullptr) {
    return WrongType(value, path, {"true or false", "true oder false"});
  }
  return *flag;
}

Result<const JsonValue::Array*> Items(const JsonValue& value, const FieldPath& path,
                                      std::size_t count) {
  auto items = ItemsUpTo(value, path, count);
  if (items.ok() && (*items)->size() != count) {
    const std::string size = std::to_string((*items)->size());
    return Bad(path, size + " items; " + std::to_string(count) + " expected",
               size + " Eintr\u00E4ge; erwartet werden " + std::to_string(count));
  }
  return items;
}

Result<const JsonValue::Array*> ItemsUpTo(const JsonValue& value, const FieldPath& path,
                                          std::size_t max) {
  const auto* items = std::get_if<JsonValue::Array>(&value.data);
  if (items == nullptr) {
    return WrongType(value, path, kArray);
  }
  if (items->size() > max) {
    const std::string size = std::to_string(items->size());
    return Bad(path, size + " items; at most " + std::to_string(max),
               size + " Eintr\u00E4ge; h\u00F6chstens " + std::to_string(max));
  }
  return items;
}

}  // namespace n240qx::json_fields
