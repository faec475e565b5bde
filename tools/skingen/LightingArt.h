#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "paint/SliderId.h"

namespace n240qx {

class SkinSet;

// The pictures of the left column: the effect name box, the direction arrows, the multicolour
// button, the round toggles, the slider thumb and tracks and the two scale pictures.
class LightingArt {
 public:
  // The slider track pictures stand for the two bitmap resources of the original sliders:
  // the left one is shown left of the thumb, the right one from the thumb on.
  static constexpr const char* kTrackLeftName = "slider_track_left.png";
  static constexpr const char* kTrackRightName = "slider_track_right.png";
  static constexpr int kThumbHeight = 14;

  static void AddTo(SkinSet& set, const QString& folder);

  static QImage EffectBox(QSize size);
  // `direction` is the letter of the file name: T, B, R or L.
  static QImage DirectionArrow(QSize size, char direction, bool enabled);
  static QImage Multicolour(QSize size);
  static QImage Thumb();
  static QImage Track(bool left);
  static QImage Scale(SliderId id);
};

}  // namespace n240qx
