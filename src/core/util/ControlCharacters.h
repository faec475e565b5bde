#pragma once

#include <string_view>

namespace n240qx {

// The one rule for text the program stores and later shows in a line: a control character
// (C0, DEL or C1) could break the line or drive the terminal it is printed on, so names and
// launch paths holding one are refused.
bool IsControlCharacter(char32_t code);
bool HoldsControlCharacter(std::u16string_view text);
// UTF-8 text; a malformed sequence is no control character (other checks refuse it).
bool HoldsControlCharacter(std::string_view utf8);

}  // namespace n240qx
