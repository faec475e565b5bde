#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace n240qx {

// The columns a terminal is assumed to have; help never goes past them.
inline constexpr std::size_t kTerminalColumns = 80;

// `text` broken at spaces into lines of at most `width` columns, every line indented by
// `indent` spaces and ended by '\n'. A word longer than a line stands alone on its own.
std::string WrappedText(std::string_view text, std::size_t indent,
                        std::size_t width = kTerminalColumns);

// `head` with `text` beside it from column `column` on, wrapped under that column; a head that
// reaches the column puts the text on the next line.
std::string HangingText(std::string_view head, std::string_view text, std::size_t column,
                        std::size_t width = kTerminalColumns);

}  // namespace n240qx
