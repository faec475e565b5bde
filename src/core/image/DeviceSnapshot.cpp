#include "image/DeviceSnapshot.h"

namespace n240qx {

void CopyImageToSnapshot(const ConfigImage& image, DeviceSnapshot& snapshot) {
  snapshot.bytes() = image.bytes();
}

void RestoreImageFromSnapshot(ConfigImage& image, const DeviceSnapshot& snapshot) {
  image.bytes() = snapshot.bytes();
}

}  // namespace n240qx
