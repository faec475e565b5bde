#pragma once

#include <string>
#include <utility>

namespace n240qx {

// What went wrong, in a form callers can branch on; `message` is meant for the user.
enum class ErrorCode {
  kNotFound,          // no keyboard, no file
  kPermissionDenied,  // the node exists but this user may not open it
  kIo,                // a transfer or file operation failed
  kTimeout,           // the keyboard did not answer in time
  kDisconnected,      // the device went away during the operation
  kNotOpen,           // the operation needs a handle that is closed
  kBadData,           // a file or answer that cannot be what it claims to be
  kInvalidArgument,   // the caller asked for something out of range
};

struct Error {
  ErrorCode code;
  std::string message;
};

const char* ErrorCodeName(ErrorCode code);

}  // namespace n240qx
