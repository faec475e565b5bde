#pragma once

#include <string>
#include <string_view>

namespace n240qx {

// Stored text (a name, a launch path, anything read from a file) for one line of a terminal:
// ESC as \e, a line break as \n, a tab as \t, every other control character as \xNN and a
// backslash as \\, so that the text can neither break the line nor drive the terminal, and
// what is shown reads back unambiguously. Everything else stays as it is.
std::string EscapedText(std::u16string_view text);
// UTF-8 text; a byte that is no part of a valid sequence shows as \xNN too.
std::string EscapedText(std::string_view utf8);

}  // namespace n240qx
