#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace n240qx {

// Typed words compared as people mean them: ASCII letters in any case.
bool SameLetters(std::string_view a, std::string_view b);
// Whether `part` occurs in `text`, ASCII letters in any case; an empty part is in every text.
bool ContainsLetters(std::string_view text, std::string_view part);
// "0xNN" (either case, one or two digits) as a byte; nothing for anything else.
std::optional<std::uint8_t> ParseHexByte(std::string_view text);

}  // namespace n240qx
