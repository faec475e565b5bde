#pragma once

#include <string>
#include <string_view>

#include "util/Result.h"

namespace n240qx {

// Typed and drawn text is UTF-8; the stores keep names and paths as UTF-16.
Result<std::u16string> Utf16FromUtf8(std::string_view text);
// One code point of `text` from `at`, which moves past it; false for a sequence that is cut
// short, malformed, overlong or a surrogate.
bool DecodeUtf8At(std::string_view text, std::size_t& at, char32_t& out);
void AppendUtf8(std::string& out, char32_t code);
// Unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace n240qx
