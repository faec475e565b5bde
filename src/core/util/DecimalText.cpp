#include "util/DecimalText.h"

#include <charconv>

namespace n240qx {

std::optional<int> ParseDecimal(std::string_view text, int max) {
  if (text.empty() || text.size() > 9) {
    return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) {
    return std::nullopt;
  }
  return value;
}

}  // namespace n240qx
