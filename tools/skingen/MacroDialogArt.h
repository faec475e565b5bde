#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "app/Language.h"

namespace n240qx {

class SkinSet;

// The macro management dialog's pictures (its "MacroManagement" sub-folder): the background
// with the two list wells and the settings column, the Record button, the tick boxes and the
// push buttons.
class MacroDialogArt {
 public:
  static constexpr const char* kFolder = "MacroManagement";

  // The dialog's fixed places (left, top, right, bottom, edges included).
  static QRect RecordButton() { return QRect(QPoint(257, 100), QPoint(362, 124)); }
  static QRect DelayBox() { return QRect(QPoint(338, 168), QPoint(352, 182)); }
  static QRect LoopBox() { return QRect(QPoint(265, 315), QPoint(279, 329)); }
  static QRect PushButton(int which);  // 0 New, 1 Delete, 2 OK, 3 Cancel
  static QRect CloseBox() { return QRect(QPoint(370, 8), QPoint(377, 15)); }
  static QRect MacroList() { return QRect(19, 63, 107, 297); }
  static QRect EventList() { return QRect(137, 63, 107, 297); }
  static QRect LoopField() { return QRect(265, 331, 84, 18); }
  static QSize BackgroundSize();

  static void AddTo(SkinSet& set, const QString& language_folder, Language language);

 private:
  static QImage Background(Language language);
};

}  // namespace n240qx
