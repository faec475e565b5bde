#include "gui/BackgroundDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace n240qx {

bool BackgroundDrag::Press(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) {
    return false;
  }
  pressed_ = true;
  dragging_ = false;
  press_global_ = event.globalPosition().toPoint();
  press_window_ = window_.pos();
  return true;
}

bool BackgroundDrag::Move(const QMouseEvent& event) {
  if (!pressed_ || (event.buttons() & Qt::LeftButton) == 0) {
    return false;
  }
  const QPoint moved = event.globalPosition().toPoint() - press_global_;
  if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance()) {
    return true;
  }
  // The window system moves the window where it can; elsewhere it follows the pointer here.
  if (!dragging_) {
    dragging_ = true;
    QWindow* handle = window_.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
      pressed_ = false;
      return true;
    }
  }
  window_.move(press_window_ + moved);
  return true;
}

bool BackgroundDrag::ReleaseIsClick(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) {
    return false;
  }
  const bool was_drag = dragging_;
  Reset();
  return !was_drag;
}

void BackgroundDrag::Reset() {
  pressed_ = false;
  dragging_ = false;
}

}  // namespace n240qx
