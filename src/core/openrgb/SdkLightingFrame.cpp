#include "openrgb/SdkLightingFrame.h"

#include <algorithm>

namespace n240qx {

namespace {

constexpr ImageField kFrameFields[] = {image_field::kLighting, image_field::kColourSlots,
                                       image_field::kKeyColourTables};

}  // namespace

void SdkLightingFrame::CopyInto(ConfigImage& target) const {
  for (const ImageField field : kFrameFields) {
    std::ranges::copy(image_.Field(field), target.Field(field).begin());
  }
}

bool SdkLightingFrame::SameAs(const ImageBlock& held) const {
  return std::ranges::all_of(kFrameFields,
                             [&](ImageField field) { return image_.FieldEquals(held, field); });
}

}  // namespace n240qx
