#include "cli/DataFolderLock.h"

#include "device/DeviceLockWait.h"
#include "sim/FileLock.h"
#include "util/RealClock.h"

namespace n240qx {

Result<std::unique_ptr<DeviceLockHold>> DataFolderLock::Await(
    const std::filesystem::path& folder, const std::function<void(bool)>& waiting) {
  RealClock clock;
  const std::filesystem::path file = folder / kFileName;
  return AwaitLock(
      [&file]() -> Result<std::unique_ptr<DeviceLockHold>> {
        auto lock = FileLock::TryLock(file);
        if (!lock.ok()) {
          return lock.error();
        }
        return std::unique_ptr<DeviceLockHold>(std::move(*lock));
      },
      clock, kDefaultLockWait, waiting,
      "The data folder " + folder.string() + " is in use by another command",
      "and changed nothing");
}

}  // namespace n240qx
