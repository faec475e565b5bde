#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace n240qx {

// Drags a caption-less window by its background: a left press that moves far enough starts a
// move (the window system's where it offers one), and the release that ends a drag is no
// click.
class BackgroundDrag {
 public:
  explicit BackgroundDrag(QWidget& window) : window_(window) {}

  // Each returns true when it took the event.
  bool Press(const QMouseEvent& event);
  bool Move(const QMouseEvent& event);
  // True when the left release is a click (the press did not turn into a drag).
  bool ReleaseIsClick(const QMouseEvent& event);
  void Reset();

 private:
  QWidget& window_;
  QPoint press_global_;
  QPoint press_window_;
  bool pressed_ = false;
  bool dragging_ = false;
};

}  // namespace n240qx
