#include "openrgb/SdkFrameBackup.h"

#include "openrgb/SdkLightingFrame.h"

namespace n240qx {

bool FrameWriteNeedsBackup(const ConfigImage& image, const ImageBlock& held) {
  ConfigImage without_frame;
  without_frame.bytes() = image.bytes();
  ConfigImage held_lighting;
  held_lighting.bytes() = held.bytes();
  SdkLightingFrame(held_lighting).CopyInto(without_frame);
  return without_frame.bytes() != held.bytes();
}

}  // namespace n240qx
