#include "util/ControlCharacters.h"

#include <algorithm>

#include "util/Utf8.h"

namespace n240qx {

bool IsControlCharacter(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

bool HoldsControlCharacter(std::u16string_view text) {
  return std::ranges::any_of(text, [](char16_t unit) { return IsControlCharacter(unit); });
}

bool HoldsControlCharacter(std::string_view utf8) {
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    char32_t code = 0;
    if (!DecodeUtf8At(utf8, at, code)) {
      at = start + 1;
    } else if (IsControlCharacter(code)) {
      return true;
    }
  }
  return false;
}

}  // namespace n240qx
