#pragma once

#include <QWidget>

#include "gui/CBitWnd.h"
#include "gui/SkinPictures.h"
#include "paint/SliderId.h"
#include "window/BitSliderModel.h"

namespace n240qx {

// A skinned slider of the main window. BitSliderModel decides the range, the position and the
// jump of the thumb to a click; this widget paints the track from the two track pictures, moves
// its CBitWnd thumb, and tells its owner whenever it paints or the pointer moves over it that
// the position may have changed. The owner compares with the last position it saw.
class CBitSlider : public QWidget {
  Q_OBJECT

 public:
  // The filled part of the track, left of the thumb, and the empty part right of it; both
  // 220 x 17.
  static constexpr const char* kTrackLeft = "slider_track_left.png";
  static constexpr const char* kTrackRight = "slider_track_right.png";

  CBitSlider(SliderId id, SkinPictures& skins, QWidget* parent);

  SliderId id() const { return model_.id(); }
  int position() const { return model_.position(); }
  const BitSliderModel& model() const { return model_; }
  // Moves the thumb (clamped to the range) and redraws; the redraw notifies the owner.
  void SetPosition(int position);
  // The thumb's left edge as drawn, in slider pixels.
  int ThumbDrawLeft() const;

 signals:
  // Stands in for the slider's "position may have changed" window message.
  void PositionMayHaveChanged(n240qx::SliderId id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Moved(bool changed);
  void PaintTrack(QPainter& painter, int split);

  BitSliderModel model_;
  SkinPictures& skins_;
  CBitWnd* thumb_;
};

}  // namespace n240qx
