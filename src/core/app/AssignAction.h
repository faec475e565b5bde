#pragma once

#include <span>
#include <string>
#include <vector>

#include "keys/KeyNameTable.h"
#include "keys/PendingAssignment.h"
#include "util/Result.h"

namespace n240qx {

// The ACTION words of `assign` as the key assignment dialog would leave its result:
// single VK | combine VK VK [VK] | function NAME | macro N | play PATH | startup PATH |
// open-file PATH | open-folder PATH | profile NAME | next-profile | previous-profile |
// lights-toggle | default | disable | enable; the last four before default are host actions,
// kept as an "Open file" launch of the program's own path (HostAction). `pending` arrives with the
// key filled in and key_enabled holding the key's present state; only the action's fields change.
// kInvalidArgument for an unknown action, key name or function, or a path too long to keep.
// `assign`'s words cut into one KEY ACTION... group each: a group ends where a word is
// followed by an action word ("Q single A W single S" is Q single A, then W single S).
std::vector<std::span<const std::string>> SplitAssignChanges(std::span<const std::string> words);

Status ParseAssignAction(std::span<const std::string> words, const KeyNameTable& names,
                         PendingAssignment& pending);

}  // namespace n240qx
