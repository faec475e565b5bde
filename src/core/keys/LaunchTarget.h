#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "keys/KeyActionEntry.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

// What a launch key opens: the stored path split at its last separator ("/" or "\", so paths
// written on either system work) into the working directory and the file.
struct LaunchTarget {
  AssignmentKind kind = AssignmentKind::kOpenFile;
  std::u16string path;       // as stored, up to its terminator
  std::u16string directory;  // before the last separator
  std::u16string file;       // after it; empty means there is nothing to start
};

// Splits at the last "/" or "\"; without one, directory and file are empty.
LaunchTarget SplitLaunchPath(AssignmentKind kind, std::u16string_view path);

// The first entry (0-254) with a launch kind whose key_vk equals the low byte of `code`, as
// the keyboard reports a launch key's press. Keys 100 and 101 share 0x5D: key 100 wins.
const KeyActionEntry* FindLaunchEntry(const KeyActionTable& table, std::uint32_t code);
// That entry's path as a file to open; none when there is no such entry or its path is one of
// the program's own actions (HostAction), which are no files.
std::optional<LaunchTarget> FindLaunchTarget(const KeyActionTable& table, std::uint32_t code);

}  // namespace n240qx
