#pragma once

#include <filesystem>
#include <string>

#include "util/Error.h"
#include "util/Language.h"

namespace n240qx {

// What was being done to a file when it failed.
enum class FileAction { kRead, kWrite, kReplace };

// The words of a failed file operation, for the tool in English and for the window in its own
// language: "cannot read (Permission denied): PATH". The system's errors that a user can act on
// are worded here; any other keeps the system's own text.
class FileErrorText {
 public:
  // Why, from the system's error number.
  static std::string Reason(int os_error, Language language);
  // kPermissionDenied for a write refused access, kIo otherwise; "cannot ACTION (REASON): PATH".
  static Error Failed(FileAction action, int os_error, const std::filesystem::path& path,
                      Language language);
  // "no such file: PATH", kNotFound.
  static Error Missing(const std::filesystem::path& path, Language language);
  // A folder, a FIFO or a device where a file belongs: kBadData, not read, for kRead;
  // kInvalidArgument, not replaced, otherwise.
  static Error NotPlainFile(FileAction action, const std::filesystem::path& path, bool folder,
                            Language language);
};

}  // namespace n240qx
