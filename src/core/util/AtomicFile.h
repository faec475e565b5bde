#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "util/Result.h"

namespace n240qx {

// Whole-file reads and writes. A write goes to a temporary file in the same folder and is
// renamed over the target, so a crash or a full disk never leaves a half-written file.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Reads at most max_bytes from the start of the file: the stores take a short file as far as it
// goes. kNotFound when the file does not exist.
Result<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                 std::size_t max_bytes);

}  // namespace n240qx
