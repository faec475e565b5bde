#pragma once

#include <string>
#include <string_view>

#include "util/Result.h"

namespace n240qx {

// Typed and drawn text is UTF-8; the stores keep names and paths as UTF-16.
Result<std::u16string> Utf16FromUtf8(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace n240qx
