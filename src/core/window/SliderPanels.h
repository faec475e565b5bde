#pragma once

#include <array>
#include <cstdint>

#include "image/ConfigImage.h"
#include "paint/SliderId.h"

namespace n240qx {

// Where the main window's four slider panels stand, in window pixels.
struct SliderPlacement {
  SliderId id;
  int x;
  int y;
};
inline constexpr std::array<SliderPlacement, 4> kSliderPlacements{{
    {SliderId::kBrightness, 28, 260},
    {SliderId::kSpeed, 28, 303},
    {SliderId::kResponseTime, 26, 363},
    {SliderId::kReportRate, 26, 414},
}};

// The owner's side of the sliders' "position may have changed" notification: it remembers
// the last position painted for each slider, and a panel whose slider moved is redrawn and
// copies the new position into its image field, so the image always follows the sliders.
class SliderPanels {
 public:
  // The image byte a slider edits.
  static ImageField ImageFieldOf(SliderId id);
  static std::uint8_t& FieldOf(SliderId id, ConfigImage& image);
  static std::uint8_t FieldOf(SliderId id, const ConfigImage& image);

  // A notification from slider `id` now at `position`. True when the position differs from
  // the last one seen (or none was seen yet): the panel is redrawn and the field updated.
  bool OnPositionMayHaveChanged(SliderId id, int position, ConfigImage& image);

  // A full repaint reads every slider into its field, changed or not.
  void CopyPosition(SliderId id, int position, ConfigImage& image);

  // What the sliders are set to after a read from the keyboard, a profile or a reset: the
  // image's values, clamped to each slider's range as the slider itself would clamp them.
  static int PositionFromImage(SliderId id, const ConfigImage& image);

  // The thumb's horizontal drawing offset: the track pictures of the report-rate and
  // response-time sliders have their left end a little further in.
  static int ThumbDrawOffset(SliderId id, int position, int thumb_left);

 private:
  static std::size_t IndexOf(SliderId id);

  // -1: nothing seen yet, so the first notification always paints.
  std::array<int, 4> last_seen_{-1, -1, -1, -1};
};

}  // namespace n240qx
