#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace n240qx {

class SkinSet;

// The key assignment dialog's pictures (its "Custom" sub-folder): the background with the
// four tabs, the toggles, the push buttons and the launch rows' field and browse button.
class KeyDialogArt {
 public:
  static constexpr const char* kFolder = "Custom";

  // The dialog's fixed places (left, top, right, bottom, edges included).
  static QRect Tab(int page);
  static QRect CloseBox() { return QRect(QPoint(371, 8), QPoint(377, 15)); }
  static QRect DisableToggle() { return QRect(QPoint(19, 351), QPoint(29, 360)); }
  static QRect PushButton(int which);  // 0 Reset, 1 Close, 2 Save
  static QRect OptionStrip() { return QRect(QPoint(0, 30), QPoint(325, 36)); }
  // The launch path box is drawn from x 86 to the end of the row's field.
  static QRect LaunchField() { return QRect(QPoint(86, 79), QPoint(314, 104)); }
  static QRect BrowseButton() { return QRect(QPoint(317, 79), QPoint(377, 104)); }
  static QSize BackgroundSize();

  static void AddTo(SkinSet& set, const QString& language_folder);

 private:
  static QImage Background();
  static QImage Tab();
  static QImage PathField();
  static QImage Browse(bool hover);
};

}  // namespace n240qx
