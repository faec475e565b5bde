#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "dialogs/MacroDialogLayout.h"
#include "util/Language.h"

namespace n240qx {

class SkinSet;

// The macro management dialog's pictures (its "MacroManagement" sub-folder): the background
// with the two list wells and the settings column, the Record button, the tick boxes and the
// push buttons.
class MacroDialogArt {
 public:
  static constexpr const char* kFolder = "MacroManagement";

  // The dialog's fixed places, as the dialog's layout has them.
  static QRect RecordButton() { return Rect(MacroButton::kRecord); }
  static QRect DelayBox() { return Rect(MacroButton::kDelayBox); }
  static QRect LoopBox() { return Rect(MacroButton::kLoopBox); }
  static QRect PushButton(int which);  // 0 New, 1 Delete, 2 OK, 3 Cancel
  static QRect CloseBox() { return Rect(MacroButton::kClose); }
  static QRect MacroList() { return Place(MacroDialogLayout::kMacroList); }
  static QRect EventList() { return Place(MacroDialogLayout::kEventList); }
  static QRect LoopField() { return Place(MacroDialogLayout::kLoopField); }
  static QSize BackgroundSize();

  static void AddTo(SkinSet& set, const QString& language_folder, Language language);

 private:
  static QImage Background(Language language);
  static QRect Rect(MacroButton button) {
    const PixelRect& rect = MacroDialogLayout::Rect(button);
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom));
  }
  static QRect Place(const MacroDialogPlace& place) {
    return QRect(place.x, place.y, place.width, place.height);
  }
};

}  // namespace n240qx
