#pragma once

#include <cstddef>
#include <string_view>

#include "util/JsonError.h"
#include "util/JsonValue.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// Strict JSON (RFC 8259): one value, white space around it and nothing else; strings must be
// valid UTF-8 and their escapes complete (\u surrogates in pairs); a name may not repeat within
// an object. Files are read whole, so their size and nesting are bounded; a refusal is
// kBadData "line L, column C: reason" (JsonErrorText), worded in `language`.
class JsonParser {
 public:
  static constexpr std::size_t kMaxSize = 4 * 1024 * 1024;
  static constexpr std::size_t kMaxDepth = 32;

  static Result<JsonValue> Parse(std::string_view text, Language language = Language::kEnglish);

 private:
  JsonParser(std::string_view text, Language language) : text_(text), language_(language) {}

  Result<JsonValue> ParseValue(std::size_t depth);
  // Past the bracket of a container at `depth`, or refused for nesting too deep.
  Status Enter(std::size_t depth);
  Result<JsonValue> ParseObject(std::size_t depth);
  Result<JsonValue> ParseArray(std::size_t depth);
  Result<JsonValue> ParseNumber();
  Result<std::string> ParseString();
  Result<char32_t> ParseEscapedUnit();
  Status CopyUtf8Sequence(std::string& out);
  Result<JsonValue> ParseWord(std::string_view word, JsonValue value);
  void SkipSpace();
  bool Take(char c);
  Error Fail(JsonErrorKind kind, std::string name = {}) const;

  std::string_view text_;
  Language language_;
  std::size_t at_ = 0;
};

}  // namespace n240qx
