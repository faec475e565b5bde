#include "gui/CEditHelper.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace n240qx {

CEditHelper::CEditHelper(QWidget* parent) : QLineEdit(parent) {
  hide();
  connect(this, &QLineEdit::textEdited, this, &CEditHelper::KeepAllowed);
}

void CEditHelper::Open(const QString& text, const QRect& area) {
  last_allowed_ = text;
  setText(text);
  setGeometry(area);
  show();
  raise();
  selectAll();
  setFocus(Qt::OtherFocusReason);
}

void CEditHelper::KeepAllowed(const QString& text) {
  if (!allowed_ || allowed_(text)) {
    last_allowed_ = text;
    return;
  }
  const int cursor = cursorPosition() - static_cast<int>(text.size() - last_allowed_.size());
  setText(last_allowed_);
  setCursorPosition(std::max(0, cursor));
}

void CEditHelper::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit EditEnded(true);
      return;
    case Qt::Key_Escape:
      emit EditEnded(false);
      return;
    default:
      QLineEdit::keyPressEvent(event);
  }
}

void CEditHelper::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (isVisible()) {
    emit EditEnded(true);
  }
}

}  // namespace n240qx
