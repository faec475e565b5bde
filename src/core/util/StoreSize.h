#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "util/Language.h"

namespace n240qx {

// A store whose size is not its layout's was cut short, grown by another program or is not ours
// at all. It is still taken as far as the layout goes, but the user hears of it: a line naming
// the file, its size and the layout's, or nothing when the size is right or cannot be known.
// The line is worded in `language`.
std::optional<std::string> StoreSizeNote(const std::filesystem::path& file, std::size_t layout_size,
                                         Language language = Language::kEnglish);

}  // namespace n240qx
