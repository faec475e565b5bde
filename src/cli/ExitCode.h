#pragma once

#include <string>

#include "util/Error.h"

namespace n240qx {

// The tool's exit status, for scripts.
enum class ExitCode : int {
  kOk = 0,
  kNoKeyboard = 1,      // none attached, or it may not be opened
  kUsage = 2,           // a wrong command, option or value; nothing was sent
  kKeyboardFailed = 3,  // the keyboard stopped answering, went away or did not acknowledge
  kFileError = 4,       // a file that cannot be read, written, or is damaged
  kNoPermission = 5,    // attached, but this user may not open it: the udev rule is missing
  kNotRecorded = 6,     // the keyboard took the change, but keymap.bin could not record it
};

// What a failed keyboard sequence means for the exit status.
ExitCode ExitCodeForDeviceError(const Error& error);

// What a failed edit of a file in the data folder means: a bad name or a missing entry is the
// caller's mistake, anything else the file's.
ExitCode ExitCodeForFileEdit(const Error& error);

// {"error": message, "exit_status": N}: what --json prints for a failure.
std::string FailureJson(const std::string& message, ExitCode code);

// "n240qx-ctl: message" on standard error and, with `json`, FailureJson on standard output;
// returns `code`.
ExitCode ReportFailure(ExitCode code, const std::string& message, bool json);

}  // namespace n240qx
