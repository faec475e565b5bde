#pragma once

#include <QString>

class QHelpEvent;
class QWidget;

namespace n240qx {

// The skinned dialogs paint their controls, so Qt knows no control under the pointer: the
// dialog answers the tool tip event with what its model says is there. An empty `tip` hides
// any tip shown, so that one does not linger over the next area.
void AnswerToolTip(QWidget& widget, QHelpEvent& event, const QString& tip);

}  // namespace n240qx
