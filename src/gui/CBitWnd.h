#pragma once

#include <QWidget>

#include "gui/SkinPictures.h"

namespace n240qx {

// The thumb of a skinned slider: a child window showing "Thumb.png" at its own size. Clicks
// fall through to the slider, which jumps the thumb to them.
class CBitWnd : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kPicture = "Thumb.png";
  static constexpr int kWidth = 15;
  static constexpr int kHeight = 14;

  CBitWnd(SkinPictures& skins, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SkinPictures& skins_;
};

}  // namespace n240qx
