#pragma once

#include <filesystem>

#include "util/Result.h"

namespace n240qx {

// What reaches the disk before a write counts as done: without it a power cut right after a
// rename can leave the new name pointing at a file whose bytes never arrived. The standard
// library has no such call, so the definitions live in the platform library (src/platform).

// The file's contents and size to the disk; kNotFound or kIo naming the file on failure.
Status FlushFile(const std::filesystem::path& file);
// The folder's entries (a rename, a new file) to the disk; kIo naming the folder on failure.
// A file system that cannot flush a folder at all is no failure.
Status FlushFolder(const std::filesystem::path& folder);

}  // namespace n240qx
