#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "keys/KeyNameTable.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// A profile file to apply, JSON or binary, in the layout of keymap.bin, checked whole before
// the keyboard is touched: kIo when it cannot be read, otherwise kBadData "refused FILE,
// nothing was sent: ..." naming every reason. Settings out of range may be what the keyboard
// itself holds, which only its read can tell (ConfiguratorState::LoadProfile decides those);
// sizes and key assignment kinds are refused here. `n240qx-ctl apply` and the window's
// library profiles read files alike through this, the window's worded in its `language`.
Result<std::vector<std::uint8_t>> ReadProfileToApply(const KeyNameTable& names,
                                                     const std::filesystem::path& file,
                                                     Language language = Language::kEnglish);

// The refusal's error for `file`: "refused FILE, nothing was sent" then `why`.
Error RefusedProfile(const std::filesystem::path& file, const std::string& why,
                     Language language = Language::kEnglish);

}  // namespace n240qx
