#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "util/Language.h"
#include "util/Result.h"

namespace n240qx::profile_names {

inline constexpr std::string_view kSuffix = ".bin";
// What an imported profile is kept as when its file's name gives no usable name (".hidden.bin").
inline constexpr std::string_view kImportFallback = "Imported";

// A file found in the profiles folder is listed without its ".bin" endings: "x.bin.bin" is "x".
std::string FromStoredFile(std::string_view file_name);
// A file chosen for Import or Export is kept under its name up to the first dot:
// "game.cfg.bin" is "game".
std::string FromChosenFile(const std::filesystem::path& chosen);
// A name typed into the list: what it reads without its ".bin" endings.
std::string FromTyped(std::string_view text);
// The file a profile of this name is stored in: name + ".bin".
std::string StoredFileName(std::string_view name);

// kInvalidArgument for a name that would not stay a file inside the profiles folder: empty,
// only dots, a path separator of either system, a control character (NUL among them, and a
// line break that would make one name read as two in a list), or too long for a file name.
// The refusal is worded in `language`.
Status Check(std::string_view name, Language language = Language::kEnglish);

}  // namespace n240qx::profile_names
