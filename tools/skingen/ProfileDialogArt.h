#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "util/Language.h"

namespace n240qx {

class SkinSet;

// The profile manager's pictures (its "Config" sub-folder): the background with the list
// well, the Import and Export buttons and the OK mark, and its small close mark.
class ProfileDialogArt {
 public:
  static constexpr const char* kFolder = "Config";

  // The dialog's fixed places (left, top, right, bottom, edges included).
  static QRect List() { return QRect(16, 50, 243, 283); }
  static QRect ImportButton() { return QRect(QPoint(273, 51), QPoint(373, 90)); }
  static QRect ExportButton() { return QRect(QPoint(273, 98), QPoint(373, 137)); }
  static QRect OkArea() { return QRect(QPoint(17, 367), QPoint(62, 383)); }
  // The close mark's hit area; its picture is drawn one pixel up and left of it.
  static QRect CloseMark() { return QRect(QPoint(374, 10), QPoint(377, 14)); }
  static QPoint ClosePicture() { return {373, 9}; }
  static QSize BackgroundSize();

  static void AddTo(SkinSet& set, const QString& language_folder, Language language);

 private:
  static QImage Background(Language language);
  static QImage CloseMarkPicture(bool hover);
};

}  // namespace n240qx
