#pragma once

#include <optional>

#include "cli/CliArguments.h"
#include "cli/ExitCode.h"

namespace n240qx {

// While the window runs it owns the keyboard: the commands it carries go through its session
// bus object, with the output and exit status of a direct run. nullopt when this command line
// goes to the keyboard itself: --direct, an option that picks another keyboard or folder, no
// window on the bus, or a command the window does not carry.
std::optional<ExitCode> RunThroughWindow(const CliArguments& arguments);

}  // namespace n240qx
