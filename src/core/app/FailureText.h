#pragma once

#include <string>

#include "app/TextId.h"
#include "app/Texts.h"
#include "util/Error.h"

namespace n240qx {

// A failure as the window shows it: what failed, then why, both in the window's language. The
// errors underneath carry English messages (they name files and devices for the log and the
// command-line tool), so German says why from the error's code instead.
std::string FailureText(const Texts& texts, TextId what, const Error& error);

}  // namespace n240qx
