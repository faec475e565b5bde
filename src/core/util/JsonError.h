#pragma once

#include <cstddef>
#include <string>

namespace n240qx {

// Why a text is not the JSON the parser takes.
enum class JsonErrorKind {
  kTooLong,
  kTextAfterValue,
  kEndsBeforeValue,
  kUnexpectedCharacter,
  kTooDeep,
  kNameExpected,
  kNameTwice,
  kColonExpected,
  kObjectEndExpected,
  kArrayEndExpected,
  kLeadingZero,
  kFractionDigitsExpected,
  kExponentDigitsExpected,
  kEndsInString,
  kControlCharacter,
  kNotUtf8,
  kEndsInEscape,
  kUnknownEscape,
  kShortUnicodeEscape,
  kLowSurrogateAlone,
  kHighSurrogateAlone,
};

// Where the parser stopped and why, kept apart from its words so that the window can say it in
// its own language; `name` is the member that appears twice.
struct JsonError {
  JsonErrorKind kind;
  std::size_t line = 1;
  std::size_t column = 1;
  std::string name;
};

}  // namespace n240qx
