#pragma once

#include <string_view>

#include "app/TextId.h"
#include "util/Language.h"

namespace n240qx {

// The program's texts in the chosen language (UTF-8). English unless German is asked for.
class Texts {
 public:
  Texts() = default;
  explicit Texts(Language language) : language_(language) {}

  Language language() const { return language_; }
  void SetLanguage(Language language) { language_ = language; }

  std::string_view Get(TextId id) const { return Lookup(id, language_); }
  static std::string_view Lookup(TextId id, Language language);

 private:
  Language language_ = Language::kEnglish;
};

}  // namespace n240qx
