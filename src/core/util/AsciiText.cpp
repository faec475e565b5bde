#include "util/AsciiText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace n240qx {

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool ContainsLetters(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) {
    return false;
  }
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    if (SameLetters(text.substr(at, part.size()), part)) {
      return true;
    }
  }
  return false;
}

std::optional<std::uint8_t> ParseHexByte(std::string_view text) {
  if (text.size() < 3 || text.size() > 4 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
    return std::nullopt;
  }
  unsigned value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data() + 2, last, value, 16);
  if (error != std::errc() || end != last || value > 0xFF) {
    return std::nullopt;
  }
  return static_cast<std::uint8_t>(value);
}

}  // namespace n240qx
