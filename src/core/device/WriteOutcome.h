#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceRead.h"
#include "device/WriteRegion.h"
#include "image/ConfigImage.h"
#include "util/Result.h"

namespace n240qx {

// What a write of changes did, for the owning thread to apply: on success the whole written
// image becomes the snapshot; after a failure only the acknowledged regions do, so the next
// write sends the rest again.
struct WriteOutcome {
  Status status;
  // The image as it was sent: the copy the write was given, with the Windows-key lock folded
  // into the mask.
  ConfigImage written;
  // The commands that went out, in wire order.
  std::vector<std::string> sent;
  // The regions the keyboard now holds: each acknowledged step's, and the lighting once the
  // closing frame has gone out.
  std::vector<WriteRegion> acknowledged;
  // How many acknowledgements the write waited for.
  int acknowledgements_waited = 0;
  // The keyboard's write count after the write (see DeviceLockHold).
  std::uint64_t write_count = 0;
  // Instead of a write: what the keyboard holds now, when another program had written since
  // the snapshot was read.
  std::optional<DeviceRead> reread = std::nullopt;
};

}  // namespace n240qx
