#include "util/Error.h"

namespace n240qx {

const char* ErrorCodeName(ErrorCode code) {
  switch (code) {
    case ErrorCode::kNotFound:
      return "not found";
    case ErrorCode::kPermissionDenied:
      return "permission denied";
    case ErrorCode::kIo:
      return "i/o error";
    case ErrorCode::kTimeout:
      return "timeout";
    case ErrorCode::kDisconnected:
      return "disconnected";
    case ErrorCode::kNotOpen:
      return "not open";
    case ErrorCode::kBadData:
      return "bad data";
    case ErrorCode::kInvalidArgument:
      return "invalid argument";
  }
  return "unknown";
}

}  // namespace n240qx
