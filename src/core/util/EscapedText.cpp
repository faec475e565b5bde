#include "util/EscapedText.h"

#include "util/ControlCharacters.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

void AppendHex(std::string& out, unsigned value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  out += {'\\', 'x', kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

void AppendEscaped(std::string& out, char32_t code) {
  switch (code) {
    case U'\x1B':
      out += "\\e";
      return;
    case U'\n':
      out += "\\n";
      return;
    case U'\t':
      out += "\\t";
      return;
    case U'\\':
      out += "\\\\";
      return;
    default:
      break;
  }
  if (IsControlCharacter(code)) {
    AppendHex(out, static_cast<unsigned>(code));
  } else {
    AppendUtf8(out, code);
  }
}

}  // namespace

std::string EscapedText(std::u16string_view text) {
  return EscapedText(Utf8FromUtf16(text));
}

std::string EscapedText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    char32_t code = 0;
    if (DecodeUtf8At(utf8, at, code)) {
      AppendEscaped(out, code);
    } else {
      AppendHex(out, static_cast<unsigned char>(utf8[start]));
      at = start + 1;
    }
  }
  return out;
}

}  // namespace n240qx
