#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace n240qx {

// The words for the lighting bytes that have them, as `read` prints them, `set` takes them and
// a JSON profile stores them: the light direction ("left", "right", "top", "bottom" for 1-4)
// and the colour choice that cycles through every colour ("multicolour", 8).
inline constexpr std::uint8_t kMulticolourChoice = 8;

// Empty for a byte without a word.
std::string_view DirectionWord(std::uint8_t direction);
std::string_view ColourChoiceWord(std::uint8_t choice);
// Letters in any case; "multicolor" too.
std::optional<std::uint8_t> DirectionOfWord(std::string_view word);
std::optional<std::uint8_t> ColourChoiceOfWord(std::string_view word);

}  // namespace n240qx
