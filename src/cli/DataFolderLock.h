#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "device/DeviceLockHold.h"
#include "util/Result.h"

namespace n240qx {

// The data folder's lock: every command that loads keymap.bin or MacroDefine.bin holds it
// until its last save, so that two commands at once take turns instead of each saving the
// files it loaded over the other's change.
class DataFolderLock {
 public:
  static constexpr const char* kFileName = "n240qx.lock";

  // Waits, as for the keyboard, while another command holds it (`waiting` hears true once,
  // then false); kTimeout after the keyboard's wait, kIo when the lock file cannot be made.
  static Result<std::unique_ptr<DeviceLockHold>> Await(const std::filesystem::path& folder,
                                                       const std::function<void(bool)>& waiting);
};

}  // namespace n240qx
