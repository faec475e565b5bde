#include "window/SliderPanels.h"

#include <algorithm>

namespace n240qx {

std::size_t SliderPanels::IndexOf(SliderId id) {
  switch (id) {
    case SliderId::kBrightness:
      return 0;
    case SliderId::kSpeed:
      return 1;
    case SliderId::kReportRate:
      return 2;
    case SliderId::kResponseTime:
      return 3;
  }
  return 0;
}

ImageField SliderPanels::ImageFieldOf(SliderId id) {
  switch (id) {
    case SliderId::kSpeed:
      return image_field::kEffectSpeed;
    case SliderId::kReportRate:
      return image_field::kReportRate;
    case SliderId::kResponseTime:
      return image_field::kResponseTime;
    case SliderId::kBrightness:
      break;
  }
  return image_field::kBrightness;
}

std::uint8_t& SliderPanels::FieldOf(SliderId id, ConfigImage& image) {
  return image.Field(ImageFieldOf(id))[0];
}

std::uint8_t SliderPanels::FieldOf(SliderId id, const ConfigImage& image) {
  return image.Field(ImageFieldOf(id))[0];
}

bool SliderPanels::OnPositionMayHaveChanged(SliderId id, int position, ConfigImage& image) {
  int& last = last_seen_[IndexOf(id)];
  if (last == position) {
    return false;
  }
  last = position;
  CopyPosition(id, position, image);
  return true;
}

void SliderPanels::CopyPosition(SliderId id, int position, ConfigImage& image) {
  const SliderRange range = RangeOf(id);
  FieldOf(id, image) = static_cast<std::uint8_t>(std::clamp(position, range.min, range.max));
}

int SliderPanels::PositionFromImage(SliderId id, const ConfigImage& image) {
  const SliderRange range = RangeOf(id);
  return std::clamp(static_cast<int>(FieldOf(id, image)), range.min, range.max);
}

int SliderPanels::ThumbDrawOffset(SliderId id, int position, int thumb_left) {
  if (id == SliderId::kReportRate) {
    return position == 0 ? thumb_left + 2 : thumb_left;
  }
  if (id == SliderId::kResponseTime) {
    return position == 0 ? thumb_left + 3 : thumb_left + 1;
  }
  return thumb_left;
}

}  // namespace n240qx
