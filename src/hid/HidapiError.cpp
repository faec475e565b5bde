#include "hid/HidapiError.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace n240qx {

Error HidErrorFromErrno(int error_number, const std::string& node, HidStage stage,
                        const std::string& detail) {
  switch (error_number) {
    case EACCES:
    case EPERM:
      return Error{ErrorCode::kPermissionDenied,
                   "Permission denied on " + node + ": install the udev rule, see README"};
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ESHUTDOWN:
      if (stage == HidStage::kOpen) {
        return Error{ErrorCode::kNotFound, "No keyboard at " + node + ": it is not plugged in"};
      }
      return Error{ErrorCode::kDisconnected, "The keyboard at " + node + " was unplugged"};
    default:
      break;
  }
  std::string message = (stage == HidStage::kOpen ? "Cannot open " : "Transfer failed on ") + node;
  if (!detail.empty()) {
    message += ": " + detail;
  } else if (error_number != 0) {
    message += ": " + std::string(std::strerror(error_number));
  }
  return Error{ErrorCode::kIo, message};
}

std::string NarrowHidapiText(const wchar_t* text) {
  std::string narrow;
  if (text == nullptr) {
    return narrow;
  }
  for (; *text != L'\0'; ++text) {
    auto code = static_cast<std::uint32_t>(*text);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      narrow += static_cast<char>(code);
    } else if (code < 0x800) {
      narrow += static_cast<char>(0xC0 | (code >> 6));
      narrow += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      narrow += static_cast<char>(0xE0 | (code >> 12));
      narrow += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      narrow += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      narrow += static_cast<char>(0xF0 | (code >> 18));
      narrow += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      narrow += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      narrow += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return narrow;
}

}  // namespace n240qx
