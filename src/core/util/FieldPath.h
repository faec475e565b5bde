#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "util/Language.h"

namespace n240qx {

// The way to a value in a JSON document ("keys[12].colours[3]"; empty for the document itself),
// with the language its refusals are worded in. Every step down keeps the language, so a reader
// that starts from a German root cannot word one of its refusals in English by mistake.
class FieldPath {
 public:
  explicit FieldPath(Language language = Language::kEnglish) : language_(language) {}

  FieldPath Child(std::string_view name) const {
    return {text_.empty() ? std::string(name) : text_ + "." + std::string(name), language_};
  }
  FieldPath Child(std::size_t index) const {
    return {text_ + "[" + std::to_string(index) + "]", language_};
  }

  const std::string& text() const { return text_; }
  Language language() const { return language_; }
  bool german() const { return language_ == Language::kGerman; }

 private:
  FieldPath(std::string text, Language language) : text_(std::move(text)), language_(language) {}

  std::string text_;
  Language language_;
};

}  // namespace n240qx
