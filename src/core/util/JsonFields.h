#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "util/FieldPath.h"
#include "util/JsonValue.h"
#include "util/Result.h"

namespace n240qx::json_fields {

// Reading a document of a fixed shape: every refusal is kBadData "PATH: reason", worded in the
// path's language.
Error Bad(const FieldPath& path, std::string_view reason);
// The reason in the path's language.
Error Bad(const FieldPath& path, std::string_view english, std::string_view german);

// The object's member `name`; refused when the value is no object or the member is missing.
Result<const JsonValue*> Member(const JsonValue& object, const FieldPath& path,
                                std::string_view name);
// Refuses a member whose name is not in `known`.
Status OnlyMembers(const JsonValue& object, const FieldPath& path,
                   std::initializer_list<std::string_view> known);
Result<std::int64_t> Integer(const JsonValue& value, const FieldPath& path, std::int64_t low,
                             std::int64_t high);
Result<std::string> Text(const JsonValue& value, const FieldPath& path);
Result<bool> Flag(const JsonValue& value, const FieldPath& path);
// An array of exactly `count` items.
Result<const JsonValue::Array*> Items(const JsonValue& value, const FieldPath& path,
                                      std::size_t count);
// An array of at most `max` items.
Result<const JsonValue::Array*> ItemsUpTo(const JsonValue& value, const FieldPath& path,
                                          std::size_t max);

}  // namespace n240qx::json_fields
