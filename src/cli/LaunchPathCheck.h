#pragma once

#include <string>
#include <string_view>

#include "cli/CliSession.h"
#include "cli/ExitCode.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

// What a refusal for launch paths ends with: the way past it.
inline constexpr std::string_view kAllowLaunchHint = "\n(--allow-launch takes them)";

// After a profile or backup (`what`) was loaded over `before`, the key settings keymap.bin
// held: a launch path it adds or changes is refused, every one listed, unless --allow-launch
// allows them. A profile from elsewhere could otherwise make a key start any program unseen.
ExitCode CheckLoadedLaunchPaths(CliSession& session, const KeyActionTable& before,
                                const std::string& what);

}  // namespace n240qx
