#include "openrgb/SdkLightingFrame.h"

#include <cstddef>

namespace n240qx {

namespace {

constexpr ImageField kFrameFields[] = {image_field::kLighting, image_field::kColourSlots,
                                       image_field::kKeyColourTables};

}  // namespace

// Calls `visit(at)` for every byte the clients changed, while it returns true.
template <typename Visit>
bool SdkLightingFrame::AllChanged(Visit visit) const {
  for (const ImageField field : kFrameFields) {
    for (std::size_t at = field.offset; at < field.end(); ++at) {
      if (image_.bytes()[at] != base_.bytes()[at] && !visit(at)) {
        return false;
      }
    }
  }
  return true;
}

void SdkLightingFrame::CopyInto(ConfigImage& target) const {
  AllChanged([&](std::size_t at) {
    target.bytes()[at] = image_.bytes()[at];
    return true;
  });
}

bool SdkLightingFrame::SameAs(const ImageBlock& held) const {
  return AllChanged([&](std::size_t at) { return held.bytes()[at] == image_.bytes()[at]; });
}

}  // namespace n240qx
