#include "gui/CXColorSpectrumCtrl.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <optional>

namespace n240qx {

namespace {

QColor ToQColor(RgbColour colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

std::optional<SpectrumKey> SpectrumKeyOf(int key) {
  switch (key) {
    case Qt::Key_Left:
      return SpectrumKey::kLeft;
    case Qt::Key_Right:
      return SpectrumKey::kRight;
    case Qt::Key_Up:
      return SpectrumKey::kUp;
    case Qt::Key_Down:
      return SpectrumKey::kDown;
    case Qt::Key_Home:
      return SpectrumKey::kHome;
    case Qt::Key_End:
      return SpectrumKey::kEnd;
    case Qt::Key_PageUp:
      return SpectrumKey::kPageUp;
    case Qt::Key_PageDown:
      return SpectrumKey::kPageDown;
    default:
      return std::nullopt;
  }
}

void FillPixels(QPainter& painter, const std::vector<PixelPoint>& pixels, const QColor& colour) {
  for (const PixelPoint& p : pixels) {
    painter.fillRect(p.x, p.y, 1, 1, colour);
  }
}

}  // namespace

CXColorSpectrumCtrl::CXColorSpectrumCtrl(ColourSpectrum& model, int control_id, QWidget* parent)
    : QWidget(parent), model_(model), control_id_(control_id) {
  setFixedSize(sizeHint());
  // A click takes the focus only where it lands in the field or the bar, so Qt's own
  // click-to-focus stays off.
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::ArrowCursor);
}

QSize CXColorSpectrumCtrl::sizeHint() const {
  return {model_.geometry().width(), model_.geometry().height()};
}

void CXColorSpectrumCtrl::SetColour(RgbColour colour) {
  model_.SetColour(colour);
  update();
}

void CXColorSpectrumCtrl::EnsurePicture() {
  const SpectrumGeometry& geometry = model_.geometry();
  const QSize size(geometry.width(), geometry.height());
  if (!picture_.isNull() && picture_size_ == size &&
      picture_luminosity_ == SpectrumGeometry::kFieldLuminosity) {
    return;
  }
  picture_ = QImage(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const RgbColour colour = geometry.CachedPixel(x, y);
      line[x] = qRgb(colour.red, colour.green, colour.blue);
    }
  }
  picture_size_ = size;
  picture_luminosity_ = SpectrumGeometry::kFieldLuminosity;
  ++picture_builds_;
}

void CXColorSpectrumCtrl::paintEvent(QPaintEvent* /*event*/) {
  EnsurePicture();
  const SpectrumGeometry& geometry = model_.geometry();
  const QColor text = palette().color(QPalette::WindowText);
  const QColor window = palette().color(QPalette::Window);
  const QColor shadow = palette().color(QPalette::Dark);

  QPainter painter(this);
  painter.drawImage(0, 0, picture_);

  const bool field_focused = model_.focus() == ColourSpectrum::Part::kField;
  FillPixels(painter, geometry.CrosshairPixels(model_.marker()), field_focused ? text : window);

  const PixelRect strip = geometry.StripRect();
  for (int y = strip.top; y <= strip.bottom; ++y) {
    if (const auto colour = geometry.StripColour(model_.hsl(), y)) {
      painter.fillRect(strip.left, y, strip.right - strip.left + 1, 1, ToQColor(*colour));
    }
  }

  const bool bar_focused = model_.focus() == ColourSpectrum::Part::kBar;
  const SpectrumArrowPixels arrow = geometry.ArrowPixels(model_.arrow());
  FillPixels(painter, arrow.outline, text);
  FillPixels(painter, arrow.inside, bar_focused ? text : shadow);
}

void CXColorSpectrumCtrl::Notify(const SpectrumNotice& notice) {
  update();
  if (notice.kind == SpectrumNotice::Kind::kSelectionChanged) {
    emit SelChange(notice.colour.Packed(), control_id_);
  } else {
    emit SelEndOk(notice.colour.Packed(), control_id_);
  }
}

void CXColorSpectrumCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint at = event->position().toPoint();
  if (const auto notice = model_.OnButtonDown(at.x(), at.y())) {
    // The press has already chosen which part holds the focus; the focus-in that follows
    // must not move it back to the field.
    if (!hasFocus()) {
      setFocus(Qt::MouseFocusReason);
    }
    Notify(*notice);
  }
}

void CXColorSpectrumCtrl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const bool button_down = (event->buttons() & Qt::LeftButton) != 0;
  if (const auto notice = model_.OnMouseMove(at.x(), at.y(), button_down)) {
    Notify(*notice);
  }
}

void CXColorSpectrumCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    model_.OnButtonUp();
  }
}

void CXColorSpectrumCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  const QPoint at = event->position().toPoint();
  if (const auto notice = model_.OnDoubleClick(at.x(), at.y())) {
    Notify(*notice);
  }
}

bool CXColorSpectrumCtrl::event(QEvent* event) {
  // Tab walks from the field to the bar before it leaves the control, so it must be seen
  // before Qt moves the focus on.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool other_modifier = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && !other_modifier) {
      TabKey(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) != 0);
      return true;
    }
  }
  return QWidget::event(event);
}

void CXColorSpectrumCtrl::TabKey(bool shift) {
  const SpectrumKeyResult result = model_.OnKey(SpectrumKey::kTab, false, shift);
  if (result.repaint) {
    update();
  }
  if (result.focus_move == SpectrumFocusMove::kNextControl) {
    focusNextPrevChild(true);
  } else if (result.focus_move == SpectrumFocusMove::kPreviousControl) {
    focusNextPrevChild(false);
  }
}

void CXColorSpectrumCtrl::keyPressEvent(QKeyEvent* event) {
  const auto key = SpectrumKeyOf(event->key());
  if (!key) {
    // Enter and Escape belong to the dialog.
    event->ignore();
    return;
  }
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
  const SpectrumKeyResult result = model_.OnKey(*key, ctrl, shift);
  if (result.notice) {
    Notify(*result.notice);
  } else if (result.repaint) {
    update();
  }
}

void CXColorSpectrumCtrl::focusInEvent(QFocusEvent* event) {
  if (event->reason() != Qt::MouseFocusReason) {
    const bool shift = event->reason() == Qt::BacktabFocusReason ||
                       (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) != 0;
    model_.OnSetFocus(shift);
  }
  update();
}

void CXColorSpectrumCtrl::focusOutEvent(QFocusEvent* /*event*/) {
  model_.OnKillFocus();
  update();
}

}  // namespace n240qx
