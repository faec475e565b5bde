#include "cli/WrappedText.h"

namespace n240qx {

std::string WrappedText(std::string_view text, std::size_t indent, std::size_t width) {
  const std::string margin(indent, ' ');
  std::string wrapped;
  std::string line;
  const auto end_line = [&] {
    if (!line.empty()) {
      wrapped += margin + line + '\n';
      line.clear();
    }
  };
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t space = text.find(' ', at);
    const std::string_view word =
        text.substr(at, space == std::string_view::npos ? std::string_view::npos : space - at);
    at = space == std::string_view::npos ? text.size() : space + 1;
    if (word.empty()) {
      continue;
    }
    if (!line.empty() && indent + line.size() + 1 + word.size() > width) {
      end_line();
    }
    line += (line.empty() ? "" : " ") + std::string(word);
  }
  end_line();
  return wrapped;
}

std::string HangingText(std::string_view head, std::string_view text, std::size_t column,
                        std::size_t width) {
  const std::string body = WrappedText(text, column, width);
  if (head.size() + 2 > column || body.empty()) {
    return std::string(head) + '\n' + body;
  }
  return std::string(head) + body.substr(head.size());
}

}  // namespace n240qx
