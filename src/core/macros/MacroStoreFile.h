#pragma once

#include <filesystem>

#include "macros/MacroStore.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// MacroDefine.bin: the stored copy's 169,860 bytes, no header.
inline constexpr const char* kMacroStoreFileName = "MacroDefine.bin";

// Fills the stored copy from the file as far as the file goes; bytes past 169,860 are ignored
// and a short file leaves the rest of the store as it was. A missing file is created from the
// store as it stands (all zero at start-up). Errors: the file exists but cannot be read (the
// store is unchanged and the file is left alone), or it is missing and cannot be created; both
// worded in `language`.
Status LoadMacroStore(const std::filesystem::path& path, MacroStore& stored,
                      Language language = Language::kEnglish);

// Replaces the file with the stored copy; an interrupted write leaves the old file whole.
Status SaveMacroStore(const std::filesystem::path& path, const MacroStore& stored,
                      Language language = Language::kEnglish);

}  // namespace n240qx
