#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// Whole-file reads and writes. A write goes to a temporary file in the same folder and is
// renamed over the target, so a crash or a full disk never leaves a half-written file; the
// temporary is flushed to the disk before the rename and the folder after it, so a power cut
// does not either. A symbolic link is kept: the file it points to is replaced, the temporary
// written beside that file. Temporaries of this naming ("NAME.tmp-DIGITS") older than ten
// minutes, left by a write that was cut off, are removed from the folder first; no other file is
// touched. Failures are worded in `language` (FileErrorText), as are those below.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Language language = Language::kEnglish);

// Whether WriteFileAtomically could replace `path` now, found out before any work is done for
// it: kInvalidArgument for a folder or something that is not a plain file, kPermissionDenied or
// kIo when its folder takes no new file. Nothing is left behind.
Status CheckReplaceable(const std::filesystem::path& path, Language language = Language::kEnglish);

// Reads at most max_bytes from the start of the file: the stores take a short file as far as it
// goes. kNotFound when the file does not exist, kBadData for anything but a plain file
// (a folder, a FIFO, a device), which is never opened.
Result<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                 std::size_t max_bytes,
                                                 Language language = Language::kEnglish);

}  // namespace n240qx
