#include "openrgb/OutsideLightingWrite.h"

#include <cstddef>

namespace n240qx {

namespace {

void SettleField(const ConfigImage& written, ImageField field, ConfigImage& image,
                 DeviceSnapshot& held) {
  for (std::size_t at = field.offset; at < field.offset + field.size; ++at) {
    if (image.bytes()[at] == held.bytes()[at]) {
      image.bytes()[at] = written.bytes()[at];
    }
    held.bytes()[at] = written.bytes()[at];
  }
}

}  // namespace

ConfigImage OutsideLightingTarget(const DeviceSnapshot& held,
                                  const std::function<void(ConfigImage&)>& change) {
  ConfigImage target;
  RestoreImageFromSnapshot(target, held);
  change(target);
  return target;
}

void SettleOutsideLightingWrite(const WriteOutcome& outcome, ConfigImage& image,
                                DeviceSnapshot& held) {
  if (outcome.status.ok()) {
    SettleField(outcome.written, {0, held.bytes().size()}, image, held);
    return;
  }
  for (const WriteRegion& region : outcome.acknowledged) {
    SettleField(outcome.written, region.field, image, held);
  }
}

}  // namespace n240qx
