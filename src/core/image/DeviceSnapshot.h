#pragma once

#include "image/ConfigImage.h"
#include "image/ImageBlock.h"

namespace n240qx {

// What the keyboard is believed to hold; the write of changes sends only where the image differs.
class DeviceSnapshot : public ImageBlock {};

void CopyImageToSnapshot(const ConfigImage& image, DeviceSnapshot& snapshot);
void RestoreImageFromSnapshot(ConfigImage& image, const DeviceSnapshot& snapshot);

}  // namespace n240qx
