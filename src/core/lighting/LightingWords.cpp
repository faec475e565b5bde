#include "lighting/LightingWords.h"

#include <iterator>

#include "util/AsciiText.h"

namespace n240qx {

namespace {

constexpr std::string_view kDirections[] = {"left", "right", "top", "bottom"};

}  // namespace

std::string_view DirectionWord(std::uint8_t direction) {
  return direction >= 1 && direction <= std::size(kDirections) ? kDirections[direction - 1]
                                                               : std::string_view();
}

std::string_view ColourChoiceWord(std::uint8_t choice) {
  return choice == kMulticolourChoice ? "multicolour" : std::string_view();
}

std::optional<std::uint8_t> DirectionOfWord(std::string_view word) {
  for (std::size_t i = 0; i < std::size(kDirections); ++i) {
    if (SameLetters(word, kDirections[i])) {
      return static_cast<std::uint8_t>(i + 1);
    }
  }
  return std::nullopt;
}

std::optional<std::uint8_t> ColourChoiceOfWord(std::string_view word) {
  if (SameLetters(word, "multicolour") || SameLetters(word, "multicolor")) {
    return kMulticolourChoice;
  }
  return std::nullopt;
}

}  // namespace n240qx
