#pragma once

#include <span>
#include <string>

#include "app/ConfiguratorState.h"
#include "macros/MacroWords.h"
#include "util/Result.h"

namespace n240qx {

// `macro`'s change words made on the state's stored macros, which then end as the macro
// dialog's OK ends (CommitMacros: records, keymap.bin, MacroDefine.bin), for the tool and the
// window alike. kInvalidArgument for words that are no change, with nothing changed; the
// store's own error when a file cannot be written.
Result<MacroWords::Done> ChangeStoredMacros(ConfiguratorState& state,
                                            std::span<const std::string> words);

}  // namespace n240qx
