#include "openrgb/OutsideLightingWrite.h"

#include <algorithm>
#include <cstddef>

#include "image/ImageField.h"

namespace n240qx {

namespace {

void FollowUnedited(const ConfigImage& to, ImageField field, ConfigImage& image,
                    const DeviceSnapshot& held) {
  for (std::size_t at = field.offset; at < field.end(); ++at) {
    if (image.bytes()[at] == held.bytes()[at]) {
      image.bytes()[at] = to.bytes()[at];
    }
  }
}

void SettleField(const ConfigImage& written, ImageField field, ConfigImage& image,
                 DeviceSnapshot& held) {
  FollowUnedited(written, field, image, held);
  std::ranges::copy(written.Field(field), held.Field(field).begin());
}

constexpr ImageField kWholeImage{0, image_field::kImageSize};

}  // namespace

ConfigImage OutsideLightingTarget(const DeviceSnapshot& held,
                                  const std::function<void(ConfigImage&)>& change) {
  ConfigImage target;
  RestoreImageFromSnapshot(target, held);
  change(target);
  return target;
}

void ShowOutsideLighting(const ConfigImage& target, ConfigImage& image,
                         const DeviceSnapshot& held) {
  FollowUnedited(target, kWholeImage, image, held);
}

void SettleOutsideLightingWrite(const WriteOutcome& outcome, ConfigImage& image,
                                DeviceSnapshot& held) {
  if (outcome.status.ok()) {
    SettleField(outcome.written, kWholeImage, image, held);
    return;
  }
  for (const WriteRegion& region : outcome.acknowledged) {
    SettleField(outcome.written, region.field, image, held);
  }
}

}  // namespace n240qx
