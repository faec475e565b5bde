#include "hid/HidrawNode.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

#include "hid/HidapiError.h"

namespace n240qx {

Status VerifyHidrawNode(const HidrawNode& node) {
  struct stat info {};
  if (::stat(node.node.c_str(), &info) != 0) {
    return HidErrorFromErrno(errno, node.node, HidStage::kOpen, "");
  }
  const std::string number =
      std::to_string(major(info.st_rdev)) + ":" + std::to_string(minor(info.st_rdev));
  if (!S_ISCHR(info.st_mode) || node.device_number.empty() || number != node.device_number) {
    return Error{ErrorCode::kNotFound, node.node + " is not the hidraw node the kernel describes"};
  }
  return Status::Ok();
}

}  // namespace n240qx
