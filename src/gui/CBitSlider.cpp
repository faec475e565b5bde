#include "gui/CBitSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "window/SliderPanels.h"

namespace n240qx {

namespace {
// The thumb sits one pixel below the track's top edge.
constexpr int kThumbTop = 1;
}  // namespace

CBitSlider::CBitSlider(SliderId id, SkinPictures& skins, QWidget* parent)
    : QWidget(parent), model_(id), skins_(skins), thumb_(new CBitWnd(skins, this)) {
  resize(model_.geometry().width, model_.geometry().height);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  thumb_->move(ThumbDrawLeft(), kThumbTop);
}

int CBitSlider::ThumbDrawLeft() const {
  return SliderPanels::ThumbDrawOffset(model_.id(), model_.position(),
                                       model_.ThumbLeftForPosition(model_.position()));
}

void CBitSlider::SetPosition(int position) {
  const bool changed = model_.SetPosition(position);
  Moved(changed);
  if (changed) {
    emit PositionMayHaveChanged(model_.id());
  }
}

void CBitSlider::Moved(bool changed) {
  if (changed) {
    thumb_->move(ThumbDrawLeft(), kThumbTop);
    update();
  }
}

void CBitSlider::PaintTrack(QPainter& painter, int split) {
  const QImage& left = skins_.Picture(QString::fromLatin1(kTrackLeft));
  const QImage& right = skins_.Picture(QString::fromLatin1(kTrackRight));
  if (!left.isNull() && split > 0) {
    painter.drawImage(QPoint(0, 0), left, QRect(0, 0, split, left.height()));
  }
  if (!right.isNull() && split < right.width()) {
    painter.drawImage(QPoint(split, 0), right,
                      QRect(split, 0, right.width() - split, right.height()));
  }
}

void CBitSlider::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintTrack(painter, ThumbDrawLeft());
}

void CBitSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  Moved(model_.OnButtonDown(event->position().toPoint().x()));
  emit PositionMayHaveChanged(model_.id());
}

void CBitSlider::mouseMoveEvent(QMouseEvent* event) {
  // Dragging the thumb is a run of jumps to the pointer.
  if (event->buttons() & Qt::LeftButton) {
    Moved(model_.OnButtonDown(event->position().toPoint().x()));
  }
  emit PositionMayHaveChanged(model_.id());
}

void CBitSlider::wheelEvent(QWheelEvent* event) {
  // The wheel does nothing here, and must not reach the window behind either.
  event->accept();
}

void CBitSlider::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
      Moved(model_.MoveByLines(-1));
      break;
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
      Moved(model_.MoveByLines(1));
      break;
    case Qt::Key_Home:
      Moved(model_.MoveToMinimum());
      break;
    case Qt::Key_End:
      Moved(model_.MoveToMaximum());
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  emit PositionMayHaveChanged(model_.id());
}

}  // namespace n240qx
