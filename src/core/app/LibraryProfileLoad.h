#pragma once

#include <string_view>

#include "app/ConfiguratorState.h"
#include "app/ProfileLibrary.h"
#include "util/Result.h"

namespace n240qx {

// A profile of the library into image and key action table, checked as `profiles apply`
// checks it; the keyboard is not touched, so that the caller's write sends only the
// difference. Launch paths the profile would add or change are refused, with the state left as
// it was: nobody is there to ask when the window applies one for a menu, a rule or a key.
// Keys with a host action that the profile leaves untouched keep it (KeepHostActionKeys).
// A refusal is worded in `language`, the window's.
Status LoadLibraryProfile(ConfiguratorState& state, const ProfileLibrary& library,
                          std::string_view name, Language language = Language::kEnglish);

}  // namespace n240qx
