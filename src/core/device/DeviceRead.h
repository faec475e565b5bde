#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "device/FirmwareVersion.h"
#include "image/ConfigImage.h"
#include "image/ImageBlock.h"
#include "image/ImageField.h"

namespace n240qx {

// What a read brought from the keyboard: an image whose device regions hold the keyboard's
// bytes (every other byte is zero), and the firmware version when the sequence read it. The
// owning thread copies the device regions into its own image; a read that failed brings
// nothing, so the image stays as it was.
struct DeviceRead {
  ConfigImage image;
  std::optional<FirmwareVersion> firmware;
  // The keyboard's write count when it was read (see DeviceLockHold).
  std::uint64_t write_count = 0;
};

// Every region a full read fills, windows_key_lock included since the mask read derives it.
std::span<const ImageField> DeviceRegions();

// Copies the device regions of `from` into `to`; reserved bytes and host-only data stay.
void CopyDeviceRegions(const ImageBlock& from, ImageBlock& to);

}  // namespace n240qx
