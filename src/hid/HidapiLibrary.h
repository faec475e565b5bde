#pragma once

#include "util/Result.h"

namespace n240qx {

// Owns hidapi's hid_init/hid_exit. Every open device keeps a shared reference, so hid_exit runs
// only after the last one is closed. Make one per process: hidapi's state is process-wide.
class HidapiLibrary {
 public:
  HidapiLibrary();
  ~HidapiLibrary();
  HidapiLibrary(const HidapiLibrary&) = delete;
  HidapiLibrary& operator=(const HidapiLibrary&) = delete;

  // The result of hid_init; a failed one leaves every open failing with this error.
  const Status& status() const { return status_; }

 private:
  Status status_;
};

}  // namespace n240qx
