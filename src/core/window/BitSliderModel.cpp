#include "window/BitSliderModel.h"

#include <algorithm>
#include <utility>

namespace n240qx {

BitSliderModel::BitSliderModel(SliderId id, BitSliderGeometry geometry)
    : id_(id),
      geometry_(geometry),
      min_(RangeOf(id).min),
      max_(RangeOf(id).max),
      position_(RangeOf(id).min) {}

void BitSliderModel::SetRange(int min, int max) {
  if (min > max) {
    std::swap(min, max);
  }
  min_ = min;
  max_ = max;
  position_ = std::clamp(position_, min_, max_);
}

bool BitSliderModel::SetPosition(int position) {
  const int clamped = std::clamp(position, min_, max_);
  if (clamped == position_) {
    return false;
  }
  position_ = clamped;
  return true;
}

int BitSliderModel::PositionFromPixel(int x) const {
  const int width = geometry_.ChannelWidth();
  const int offset = x - geometry_.ChannelLeft();
  if (width <= 0 || offset <= 0) {
    return min_;
  }
  if (offset >= width) {
    return max_;
  }
  // Rounded half up: (2 * offset * range + width) div (2 * width).
  const long long range = static_cast<long long>(max_) - min_;
  const long long steps = (2LL * offset * range + width) / (2LL * width);
  return std::clamp(static_cast<int>(min_ + steps), min_, max_);
}

int BitSliderModel::ThumbLeftForPosition(int position) const {
  const int clamped = std::clamp(position, min_, max_);
  const long long range = static_cast<long long>(max_) - min_;
  if (range == 0) {
    return 0;
  }
  const long long travel = geometry_.ChannelWidth();
  // Rounded to the nearest pixel so that PositionFromPixel(ThumbCentre) returns the position.
  return static_cast<int>((2LL * (clamped - min_) * travel + range) / (2LL * range));
}

}  // namespace n240qx
