#include "hid/HidapiLibrary.h"

#include <hidapi/hidapi.h>

#include <string>

#include "hid/HidapiError.h"

namespace n240qx {

HidapiLibrary::HidapiLibrary() {
  if (hid_init() != 0) {
    status_ = Error{ErrorCode::kIo,
                    "Cannot start the HID library: " + NarrowHidapiText(hid_error(nullptr))};
  }
}

HidapiLibrary::~HidapiLibrary() {
  if (status_.ok()) {
    hid_exit();
  }
}

}  // namespace n240qx
