#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace n240qx {

// Moves a window without a caption by a drag on its background: once the pointer has moved
// far enough with the left button held, the window system takes the move where it can, and
// elsewhere the window follows the pointer itself. The release that ends a drag is no click.
class BackgroundDrag {
 public:
  explicit BackgroundDrag(QWidget& window) : window_(window) {}

  // A left press where a drag may start.
  void Press(const QMouseEvent& event);
  void Move(const QMouseEvent& event);
  // Returns whether the release ended a drag (and so is no click).
  bool Release();
  void Reset();

 private:
  QWidget& window_;
  QPoint press_global_;
  QPoint press_window_;
  bool pressed_ = false;
  bool dragging_ = false;
};

}  // namespace n240qx
