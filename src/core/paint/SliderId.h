#pragma once

#include <array>

namespace n240qx {

// The four sliders of the main window, by the control ids they report with.
enum class SliderId : int {
  kSpeed = 1007,
  kReportRate = 1010,
  kBrightness = 1017,
  kResponseTime = 1018,
};

// The order in which a refresh sets them from the image.
inline constexpr std::array<SliderId, 4> kAllSliders{
    SliderId::kBrightness, SliderId::kSpeed, SliderId::kReportRate, SliderId::kResponseTime};

struct SliderRange {
  int min;
  int max;
};

constexpr SliderRange RangeOf(SliderId id) {
  switch (id) {
    case SliderId::kSpeed:
    case SliderId::kResponseTime:
      return {0, 9};
    case SliderId::kBrightness:
      return {0, 50};
    case SliderId::kReportRate:
      return {0, 3};
  }
  return {0, 0};
}

}  // namespace n240qx
