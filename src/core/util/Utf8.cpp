#include "util/Utf8.h"

#include <cstdint>

namespace n240qx {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

Error BadText() {
  return Error{ErrorCode::kInvalidArgument, "the text is not valid UTF-8"};
}

}  // namespace

bool DecodeUtf8At(std::string_view text, std::size_t& at, char32_t& out) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  int extra = 0;
  if (lead < 0x80) {
    out = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    out = lead & 0x1FU;
    extra = 1;
  } else if ((lead & 0xF0) == 0xE0) {
    out = lead & 0x0FU;
    extra = 2;
  } else if ((lead & 0xF8) == 0xF0) {
    out = lead & 0x07U;
    extra = 3;
  } else {
    return false;
  }
  if (at + static_cast<std::size_t>(extra) >= text.size()) {
    return false;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<std::uint8_t>(text[at + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      return false;
    }
    out = (out << 6) | (next & 0x3FU);
  }
  at += static_cast<std::size_t>(extra) + 1;
  // The shortest form only: an overlong one could pass a '/' or a NUL by a check.
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  return out >= kSmallest[extra] && out <= 0x10FFFF && (out < 0xD800 || out > 0xDFFF);
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

Result<std::u16string> Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  std::size_t at = 0;
  while (at < text.size()) {
    char32_t code = 0;
    if (!DecodeUtf8At(text, at, code)) {
      return BadText();
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacement;
    }
    AppendUtf8(out, code);
  }
  return out;
}

}  // namespace n240qx
