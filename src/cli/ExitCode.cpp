#include "cli/ExitCode.h"

#include <iostream>

#include "cli/JsonWriter.h"

namespace n240qx {

ExitCode ExitCodeForFileEdit(const Error& error) {
  return error.code == ErrorCode::kInvalidArgument || error.code == ErrorCode::kNotFound
             ? ExitCode::kUsage
             : ExitCode::kFileError;
}

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

std::string FailureJson(const std::string& message, ExitCode code) {
  JsonWriter json;
  json.BeginObject();
  json.Key("error");
  json.String(message);
  json.Key("exit_status");
  json.Number(static_cast<int>(code));
  json.EndObject();
  return json.text();
}

ExitCode ReportFailure(ExitCode code, const std::string& message, bool json) {
  std::cerr << "n240qx-ctl: " << message << '\n';
  if (json) {
    // Scripts reading standard output get a result for a failure too.
    std::cout << FailureJson(message, code) << '\n';
  }
  return code;
}

}  // namespace n240qx
