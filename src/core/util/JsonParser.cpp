#include "util/JsonParser.h"

#include <charconv>
#include <cstdlib>

#include "util/HexBytes.h"
#include "util/JsonErrorText.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

Result<JsonValue> JsonParser::Parse(std::string_view text, Language language) {
  JsonParser parser(text, language);
  if (text.size() > kMaxSize) {
    return parser.Fail(JsonErrorKind::kTooLong);
  }
  auto value = parser.ParseValue(0);
  if (!value.ok()) {
    return value;
  }
  parser.SkipSpace();
  if (parser.at_ != text.size()) {
    return parser.Fail(JsonErrorKind::kTextAfterValue);
  }
  return value;
}

Error JsonParser::Fail(JsonErrorKind kind, std::string name) const {
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < at_ && i < text_.size(); ++i) {
    if (text_[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return Error{ErrorCode::kBadData,
               JsonErrorText::For({kind, line, column, std::move(name)}, language_)};
}

void JsonParser::SkipSpace() {
  while (at_ < text_.size() &&
         (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
    ++at_;
  }
}

bool JsonParser::Take(char c) {
  SkipSpace();
  if (at_ < text_.size() && text_[at_] == c) {
    ++at_;
    return true;
  }
  return false;
}

Result<JsonValue> JsonParser::ParseValue(std::size_t depth) {
  SkipSpace();
  if (at_ >= text_.size()) {
    return Fail(JsonErrorKind::kEndsBeforeValue);
  }
  switch (text_[at_]) {
    case '{':
      return ParseObject(depth + 1);
    case '[':
      return ParseArray(depth + 1);
    case '"': {
      auto text = ParseString();
      if (!text.ok()) {
        return text.error();
      }
      return JsonValue{std::move(*text)};
    }
    case 't':
      return ParseWord("true", JsonValue{true});
    case 'f':
      return ParseWord("false", JsonValue{false});
    case 'n':
      return ParseWord("null", JsonValue{nullptr});
    default:
      return ParseNumber();
  }
}

Result<JsonValue> JsonParser::ParseWord(std::string_view word, JsonValue value) {
  if (text_.substr(at_, word.size()) != word) {
    return Fail(JsonErrorKind::kUnexpectedCharacter);
  }
  at_ += word.size();
  return value;
}

Status JsonParser::Enter(std::size_t depth) {
  if (depth > kMaxDepth) {
    return Fail(JsonErrorKind::kTooDeep);
  }
  ++at_;
  return Status::Ok();
}

Result<JsonValue> JsonParser::ParseObject(std::size_t depth) {
  if (Status entered = Enter(depth); !entered.ok()) {
    return entered.error();
  }
  JsonValue::Object members;
  if (Take('}')) {
    return JsonValue{std::move(members)};
  }
  do {
    SkipSpace();
    if (at_ >= text_.size() || text_[at_] != '"') {
      return Fail(JsonErrorKind::kNameExpected);
    }
    auto name = ParseString();
    if (!name.ok()) {
      return name.error();
    }
    for (const auto& member : members) {
      if (member.name == *name) {
        return Fail(JsonErrorKind::kNameTwice, *name);
      }
    }
    if (!Take(':')) {
      return Fail(JsonErrorKind::kColonExpected);
    }
    auto value = ParseValue(depth);
    if (!value.ok()) {
      return value;
    }
    members.emplace_back(std::move(*name), std::move(*value));
  } while (Take(','));
  if (!Take('}')) {
    return Fail(JsonErrorKind::kObjectEndExpected);
  }
  return JsonValue{std::move(members)};
}

Result<JsonValue> JsonParser::ParseArray(std::size_t depth) {
  if (Status entered = Enter(depth); !entered.ok()) {
    return entered.error();
  }
  JsonValue::Array items;
  if (Take(']')) {
    return JsonValue{std::move(items)};
  }
  do {
    auto value = ParseValue(depth);
    if (!value.ok()) {
      return value;
    }
    items.push_back(std::move(*value));
  } while (Take(','));
  if (!Take(']')) {
    return Fail(JsonErrorKind::kArrayEndExpected);
  }
  return JsonValue{std::move(items)};
}

// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
Result<JsonValue> JsonParser::ParseNumber() {
  const std::size_t start = at_;
  const auto digits = [&] {
    const std::size_t from = at_;
    while (at_ < text_.size() && IsDigit(text_[at_])) {
      ++at_;
    }
    return at_ - from;
  };
  if (at_ < text_.size() && text_[at_] == '-') {
    ++at_;
  }
  const std::size_t integer_at = at_;
  const std::size_t integer_digits = digits();
  if (integer_digits == 0) {
    return Fail(JsonErrorKind::kUnexpectedCharacter);
  }
  if (integer_digits > 1 && text_[integer_at] == '0') {
    return Fail(JsonErrorKind::kLeadingZero);
  }
  bool integral = true;
  if (at_ < text_.size() && text_[at_] == '.') {
    ++at_;
    integral = false;
    if (digits() == 0) {
      return Fail(JsonErrorKind::kFractionDigitsExpected);
    }
  }
  if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
    ++at_;
    integral = false;
    if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) {
      ++at_;
    }
    if (digits() == 0) {
      return Fail(JsonErrorKind::kExponentDigitsExpected);
    }
  }
  const std::string_view number = text_.substr(start, at_ - start);
  if (integral) {
    std::int64_t value = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, 10);
    if (error == std::errc() && end == number.data() + number.size()) {
      return JsonValue{value};
    }
  }
  return JsonValue{std::strtod(std::string(number).c_str(), nullptr)};
}

Result<std::string> JsonParser::ParseString() {
  ++at_;
  std::string out;
  while (true) {
    if (at_ >= text_.size()) {
      return Fail(JsonErrorKind::kEndsInString);
    }
    const auto byte = static_cast<unsigned char>(text_[at_]);
    if (byte == '"') {
      ++at_;
      return out;
    }
    if (byte < 0x20) {
      return Fail(JsonErrorKind::kControlCharacter);
    }
    if (byte == '\\') {
      auto code = ParseEscapedUnit();
      if (!code.ok()) {
        return code.error();
      }
      AppendUtf8(out, *code);
    } else if (byte < 0x80) {
      out += static_cast<char>(byte);
      ++at_;
    } else if (Status copied = CopyUtf8Sequence(out); !copied.ok()) {
      return copied.error();
    }
  }
}

Status JsonParser::CopyUtf8Sequence(std::string& out) {
  std::size_t end = at_;
  char32_t code = 0;
  if (!DecodeUtf8At(text_, end, code)) {
    return Fail(JsonErrorKind::kNotUtf8);
  }
  out.append(text_.substr(at_, end - at_));
  at_ = end;
  return Status::Ok();
}

Result<char32_t> JsonParser::ParseEscapedUnit() {
  ++at_;
  if (at_ >= text_.size()) {
    return Fail(JsonErrorKind::kEndsInEscape);
  }
  const char kind = text_[at_++];
  switch (kind) {
    case '"':
    case '\\':
    case '/':
      return static_cast<char32_t>(kind);
    case 'b':
      return U'\b';
    case 'f':
      return U'\f';
    case 'n':
      return U'\n';
    case 'r':
      return U'\r';
    case 't':
      return U'\t';
    case 'u':
      break;
    default:
      --at_;
      return Fail(JsonErrorKind::kUnknownEscape);
  }
  const auto unit = [&]() -> int {
    if (at_ + 4 > text_.size()) {
      return -1;
    }
    int value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const int digit = HexDigitValue(text_[at_ + i]);
      if (digit < 0) {
        return -1;
      }
      value = value * 16 + digit;
    }
    at_ += 4;
    return value;
  };
  const int first = unit();
  if (first < 0) {
    return Fail(JsonErrorKind::kShortUnicodeEscape);
  }
  if (first >= 0xDC00 && first <= 0xDFFF) {
    return Fail(JsonErrorKind::kLowSurrogateAlone);
  }
  if (first < 0xD800 || first > 0xDBFF) {
    return static_cast<char32_t>(first);
  }
  if (text_.substr(at_, 2) != "\\u") {
    return Fail(JsonErrorKind::kHighSurrogateAlone);
  }
  at_ += 2;
  const int second = unit();
  if (second < 0xDC00 || second > 0xDFFF) {
    return Fail(JsonErrorKind::kHighSurrogateAlone);
  }
  return static_cast<char32_t>(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
}

}  // namespace n240qx
