#pragma once

#include "paint/SliderId.h"

namespace n240qx {

// The geometry of a skinned slider, in the slider's own pixels. The thumb's left edge runs
// from 0 (the minimum) to width - thumb_width (the maximum), so the thumb never leaves the
// track picture; the channel is the path of the thumb's centre.
struct BitSliderGeometry {
  int width = 220;  // the track pictures are 220 x 17
  int height = 17;
  int thumb_width = 15;  // "Thumb.png" is 15 x 14

  int ChannelLeft() const { return thumb_width / 2; }
  int ChannelWidth() const { return width - thumb_width; }
};

// The rules of one bitmap slider: range, position, pixel/position conversion and the jump of
// the thumb to a click. The widget paints what this says and forwards the mouse to it.
//
// Notification contract: the widget tells its owner "the position may have changed" (with its
// id) whenever it paints and whenever the pointer moves over it; it does not compare. The
// owner compares with the last position it saw (SliderPanels). The mouse wheel does nothing.
class BitSliderModel {
 public:
  explicit BitSliderModel(SliderId id, BitSliderGeometry geometry = {});

  SliderId id() const { return id_; }
  int min() const { return min_; }
  int max() const { return max_; }
  int position() const { return position_; }
  const BitSliderGeometry& geometry() const { return geometry_; }

  // A reversed range is swapped; the position is pulled into the new range.
  void SetRange(int min, int max);
  // Clamps into the range; returns whether the position changed.
  bool SetPosition(int position);

  // The position a press at slider pixel x selects: x measured from the channel's left end,
  // times the range, over the channel's width, rounded half up, clamped to the range.
  int PositionFromPixel(int x) const;
  // The thumb's left edge in slider pixels for a position (clamped to the range).
  int ThumbLeftForPosition(int position) const;
  int ThumbCentreForPosition(int position) const {
    return ThumbLeftForPosition(position) + geometry_.thumb_width / 2;
  }

  // A left-button press jumps the thumb to the press; returns whether the position changed.
  bool OnButtonDown(int x) { return SetPosition(PositionFromPixel(x)); }
  // Arrow keys move by the line size, Page Up/Down by the page size; both are 1.
  bool MoveByLines(int lines) { return SetPosition(position_ + lines * kLineSize); }
  // Home and End go to the ends of the range, as with any slider.
  bool MoveToMinimum() { return SetPosition(min_); }
  bool MoveToMaximum() { return SetPosition(max_); }

  static constexpr int kLineSize = 1;
  static constexpr int kPageSize = 1;

 private:
  SliderId id_;
  BitSliderGeometry geometry_;
  int min_;
  int max_;
  int position_;
};

}  // namespace n240qx
