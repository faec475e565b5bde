#include "cli/ExitCode.h"

namespace n240qx {

ExitCode ExitCodeForDeviceError(const Error& error) {
  switch (error.code) {
    case ErrorCode::kNotFound:
    case ErrorCode::kNotOpen:
      return ExitCode::kNoKeyboard;
    case ErrorCode::kPermissionDenied:
      return ExitCode::kNoPermission;
    case ErrorCode::kInvalidArgument:
      return ExitCode::kUsage;
    case ErrorCode::kIo:
    case ErrorCode::kTimeout:
    case ErrorCode::kDisconnected:
    case ErrorCode::kBadData:
      break;
  }
  return ExitCode::kKeyboardFailed;
}

}  // namespace n240qx
