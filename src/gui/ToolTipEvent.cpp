#include "gui/ToolTipEvent.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace n240qx {

void AnswerToolTip(QWidget& widget, QHelpEvent& event, const QString& tip) {
  if (tip.isEmpty()) {
    QToolTip::hideText();
    event.ignore();
    return;
  }
  QToolTip::showText(event.globalPos(), tip, &widget);
}

}  // namespace n240qx
