#pragma once

#include <span>
#include <string>

#include "cli/CliSession.h"

namespace n240qx {

// macro new NAME EVENT... | set N EVENT... | delete N | rename N NAME: the stored macros as the
// macro dialog's OK leaves them (records rebuilt, keymap.bin, MacroDefine.bin). Everything is
// checked before a file is written. The keyboard gets the records with the next write. While
// the window runs, the change is its own (CliSession::ChangeMacros).
ExitCode RunMacroChange(CliSession& session, std::span<const std::string> words);

}  // namespace n240qx
