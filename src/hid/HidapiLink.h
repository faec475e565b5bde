#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/HidLink.h"
#include "hid/HidapiLibrary.h"
#include "hid/RawHidHandle.h"
#include "hid/SysfsHidScanner.h"

namespace n240qx {

// The keyboard's transport on Linux: interfaces are listed from sysfs in the Windows path form
// ("/dev/hidraw1#vid_04d9&pid_a124&mi_01&col04"), one per top-level collection, and opened
// with hidapi on the node before '#'. Make one per process (hidapi's state is process-wide).
class HidapiLink final : public HidLink {
 public:
  // Opens a node that passed every check. hid_open_path by default; tests script the node.
  using NodeOpener = std::function<Result<std::unique_ptr<RawHidHandle>>(const std::string& node)>;

  explicit HidapiLink(SysfsHidScanner scanner = SysfsHidScanner(), NodeOpener opener = {});

  std::vector<HidInterfaceInfo> EnumerateInterfaces() override;
  // kNotFound when the node or its collection is gone, kPermissionDenied (naming the udev rule)
  // when this user may not open it, kInvalidArgument for a path that names no hidraw node.
  Result<std::unique_ptr<HidDevice>> Open(const std::string& path) override;
  // An flock on the lock file named after the interface's device node (FileLock).
  Result<std::unique_ptr<DeviceLockHold>> TryLockDevice(const std::string& path) override;

 private:
  Result<std::unique_ptr<RawHidHandle>> OpenWithHidapi(const std::string& node);

  std::shared_ptr<HidapiLibrary> library_;
  SysfsHidScanner scanner_;
  NodeOpener opener_;
  // hidapi keeps the reason of a failed open in one process-wide slot.
  std::mutex open_mutex_;
};

}  // namespace n240qx
