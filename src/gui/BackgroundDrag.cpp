#include "gui/BackgroundDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace n240qx {

void BackgroundDrag::Press(const QMouseEvent& event) {
  pressed_ = true;
  dragging_ = false;
  press_global_ = event.globalPosition().toPoint();
  press_window_ = window_.pos();
}

void BackgroundDrag::Move(const QMouseEvent& event) {
  if (!pressed_ || (event.buttons() & Qt::LeftButton) == 0) {
    return;
  }
  const QPoint moved = event.globalPosition().toPoint() - press_global_;
  if (!dragging_ && moved.manhattanLength() < QApplication::startDragDistance()) {
    return;
  }
  if (!dragging_) {
    dragging_ = true;
    QWindow* handle = window_.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
      pressed_ = false;
      return;
    }
  }
  window_.move(press_window_ + moved);
}

bool BackgroundDrag::Release() {
  const bool was_drag = dragging_;
  Reset();
  return was_drag;
}

void BackgroundDrag::Reset() {
  pressed_ = false;
  dragging_ = false;
}

}  // namespace n240qx
