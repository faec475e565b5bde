#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace n240qx {

class SkinSet;

// "Color_BK.png": the colour dialog's background with the palette swatches, the close mark
// and wells for the spectrum, the preview and the six value boxes.
class ColourDialogArt {
 public:
  // Rows 6 and 7 of the palette lie under the preview square and the value boxes, which the
  // dialog paints over them, so the picture shows rows 0 to 5.
  static constexpr int kVisibleRows = 6;

  static QSize BackgroundSize();
  static QImage Background();
  static void AddTo(SkinSet& set, const QString& language_folder);
};

}  // namespace n240qx
