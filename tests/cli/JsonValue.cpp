#include "JsonValue.h"

#include <cctype>
#include <cstdlib>

namespace n240qx::testing {

namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<JsonValue> Document() {
    auto value = Value();
    SkipSpace();
    if (!value || at_ != text_.size()) {
      return std::nullopt;
    }
    return value;
  }

 private:
  void SkipSpace() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])) != 0) {
      ++at_;
    }
  }
  bool Take(char c) {
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) == word) {
      at_ += word.size();
      return true;
    }
    return false;
  }

  std::optional<JsonValue> Value() {
    SkipSpace();
    if (at_ >= text_.size()) {
      return std::nullopt;
    }
    const char c = text_[at_];
    if (c == '{')
      return ObjectValue();
    if (c == '[')
      return ArrayValue();
    if (c == '"') {
      auto text = StringText();
      return text ? std::optional<JsonValue>(JsonValue{*text}) : std::nullopt;
    }
    if (Word("true"))
      return JsonValue{true};
    if (Word("false"))
      return JsonValue{false};
    if (Word("null"))
      return JsonValue{nullptr};
    return NumberValue();
  }

  std::optional<JsonValue> NumberValue() {
    const std::string rest(text_.substr(at_));
    char* end = nullptr;
    const double number = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str()) {
      return std::nullopt;
    }
    at_ += static_cast<std::size_t>(end - rest.c_str());
    return JsonValue{number};
  }

  std::optional<std::string> StringText() {
    if (!Take('"')) {
      return std::nullopt;
    }
    std::string text;
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (c == '\\') {
        if (at_ >= text_.size())
          return std::nullopt;
        c = text_[at_++];
        if (c == 'u') {
          if (at_ + 4 > text_.size())
            return std::nullopt;
          c = static_cast<char>(
              std::strtol(std::string(text_.substr(at_, 4)).c_str(), nullptr, 16));
          at_ += 4;
        } else if (c == 'n') {
          c = '\n';
        }
      }
      text += c;
    }
    if (at_ >= text_.size()) {
      return std::nullopt;
    }
    ++at_;
    return text;
  }

  std::optional<JsonValue> ArrayValue() {
    Take('[');
    JsonValue::Array items;
    if (Take(']'))
      return JsonValue{items};
    do {
      auto item = Value();
      if (!item)
        return std::nullopt;
      items.push_back(std::move(*item));
    } while (Take(','));
    if (!Take(']'))
      return std::nullopt;
    return JsonValue{items};
  }

  std::optional<JsonValue> ObjectValue() {
    Take('{');
    JsonValue::Object members;
    if (Take('}'))
      return JsonValue{members};
    do {
      SkipSpace();
      auto key = StringText();
      if (!key || !Take(':'))
        return std::nullopt;
      auto value = Value();
      if (!value)
        return std::nullopt;
      members[*key] = std::move(*value);
    } while (Take(','));
    if (!Take('}'))
      return std::nullopt;
    return JsonValue{members};
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<JsonValue> ParseJson(std::string_view text) {
  return Parser(text).Document();
}

}  // namespace n240qx::testing
