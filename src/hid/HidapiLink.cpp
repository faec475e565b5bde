#include "hid/HidapiLink.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "hid/HidapiError.h"
#include "hid/HidapiHandle.h"
#include "hid/HidrawDevice.h"
#include "hid/InterfacePath.h"
#include "hid/ReportFraming.h"
#include "sim/FileLock.h"

namespace n240qx {

HidapiLink::HidapiLink(SysfsHidScanner scanner, NodeOpener opener)
    : library_(std::make_shared<HidapiLibrary>()),
      scanner_(std::move(scanner)),
      opener_(std::move(opener)) {
  if (!opener_) {
    opener_ = [this](const std::string& node) { return OpenWithHidapi(node); };
  }
}

std::vector<HidInterfaceInfo> HidapiLink::EnumerateInterfaces() {
  const std::vector<HidrawNode> nodes = scanner_.Scan();
  return SynthesizeInterfaces(nodes);
}

Result<std::unique_ptr<DeviceLockHold>> HidapiLink::TryLockDevice(const std::string& path) {
  auto parsed = InterfacePath::Parse(path);
  if (!parsed.ok()) {
    return parsed.error();
  }
  auto lock = FileLock::TryLock(FileLock::ForDeviceNode(parsed->node));
  if (!lock.ok()) {
    return lock.error();
  }
  return std::unique_ptr<DeviceLockHold>(std::move(*lock));
}

Result<std::unique_ptr<HidDevice>> HidapiLink::Open(const std::string& path) {
  auto parsed = InterfacePath::Parse(path);
  if (!parsed.ok()) {
    return parsed.error();
  }
  const std::string name = std::filesystem::path(parsed->node).filename().string();
  auto node = scanner_.Describe(name);
  if (!node.ok()) {
    return node.error();
  }
  if (node->node != parsed->node) {
    return Error{ErrorCode::kInvalidArgument, "Not a hidraw node: " + parsed->node};
  }
  auto framing = ReportFraming::ForCollection(node->collections, parsed->collection_index);
  if (!framing) {
    return Error{ErrorCode::kNotFound,
                 "No such collection on " + node->node + ": the keyboard changed its interfaces"};
  }
  if (Status verified = VerifyHidrawNode(*node); !verified) {
    return verified.error();
  }
  // The kernel's own answer names the problem; hidapi's failed open keeps errno only by chance.
  if (::access(node->node.c_str(), R_OK | W_OK) != 0) {
    return HidErrorFromErrno(errno, node->node, HidStage::kOpen, "");
  }
  auto handle = opener_(node->node);
  if (!handle.ok()) {
    return handle.error();
  }
  return std::unique_ptr<HidDevice>(
      std::make_unique<HidrawDevice>(std::move(handle.value()), node->node, std::move(*framing)));
}

Result<std::unique_ptr<RawHidHandle>> HidapiLink::OpenWithHidapi(const std::string& node) {
  if (!library_->status().ok()) {
    return library_->status().error();
  }
  std::lock_guard lock(open_mutex_);
  errno = 0;
  hid_device* handle = hid_open_path(node.c_str());
  if (handle == nullptr) {
    const int error_number = errno;
    return HidErrorFromErrno(error_number, node, HidStage::kOpen,
                             NarrowHidapiText(hid_error(nullptr)));
  }
  return std::unique_ptr<RawHidHandle>(std::make_unique<HidapiHandle>(library_, handle));
}

}  // namespace n240qx
