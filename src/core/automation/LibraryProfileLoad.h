#pragma once

#include <string_view>

#include "app/ConfiguratorState.h"
#include "app/ProfileLibrary.h"
#include "util/Result.h"

namespace n240qx {

// A profile of the library into image and key action table, through
// ConfiguratorState::LoadProfile and its checks; the keyboard is not touched. kNotFound when
// the library has no such profile, kBadData naming the file when it is no profile; either way
// the state is left as it was.
Status LoadLibraryProfile(ConfiguratorState& state, const ProfileLibrary& library,
                          std::string_view name);

}  // namespace n240qx
