#include "ColourDialogArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>

#include "SkinPainter.h"
#include "SkinSet.h"
#include "SkinStyle.h"
#include "dialogs/ColourDialogModel.h"
#include "dialogs/ColourPalette.h"

namespace n240qx {

namespace {

constexpr int kTitleBottom = 22;
// The preview square the dialog fills with the chosen colour.
QRect PreviewRect() {
  return QRect(QPoint(14, 150), QPoint(59, 195));
}

QRect Place(const ColourDialogPlace& place) {
  return QRect(place.x, place.y, place.width, place.height);
}

}  // namespace

QSize ColourDialogArt::BackgroundSize() {
  const QRect spectrum = Place(ColourDialogModel::kSpectrumPlace);
  const QRect cancel = Place(ColourDialogModel::kCancelPlace);
  return {std::max(spectrum.right(), ColourDialogModel::kCloseMark.right) + 9,
          std::max(spectrum.bottom(), cancel.bottom()) + 8};
}

QImage ColourDialogArt::Background() {
  const QSize size = BackgroundSize();
  QImage image = SkinPainter::Canvas(size, SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::TitleStrip(painter, size.width(), kTitleBottom);
  const PixelRect close = ColourDialogModel::kCloseMark;
  SkinPainter::Cross(painter,
                     QRectF(QPointF(close.left + 0.5, close.top + 0.5),
                            QPointF(close.right + 0.5, close.bottom + 0.5)),
                     SkinStyle::Legend(), 1.4);

  // Each swatch fills the pixels that the dialog's selection frame encloses.
  const auto& colours = ColourPalette::Colours();
  for (std::size_t index = 0; index < ColourPalette::kColumns * kVisibleRows; ++index) {
    const PixelRect hit = ColourPalette::SwatchRect(index);
    const QRect swatch(QPoint(hit.left, hit.top), QPoint(hit.right - 2, hit.bottom - 2));
    painter.fillRect(swatch.adjusted(-1, -1, 1, 1), QColor(0x1a, 0x1a, 0x1a));
    painter.fillRect(swatch, QColor(colours[index].red, colours[index].green, colours[index].blue));
  }

  SkinPainter::Well(painter, Place(ColourDialogModel::kSpectrumPlace).adjusted(-1, -1, 1, 1), 1);
  SkinPainter::Well(painter, PreviewRect().adjusted(-1, -1, 1, 1), 1);
  for (const ColourDialogPlace& box :
       {ColourDialogModel::kRedBox, ColourDialogModel::kGreenBox, ColourDialogModel::kBlueBox,
        ColourDialogModel::kHueBox, ColourDialogModel::kSaturationBox,
        ColourDialogModel::kLuminosityBox}) {
    SkinPainter::Well(painter, Place(box).adjusted(-1, -1, 1, 1), 1);
  }
  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  return image;
}

void ColourDialogArt::AddTo(SkinSet& set, const QString& language_folder) {
  set.Add(language_folder + QStringLiteral("/") + SkinPainter::Name(ColourDialogModel::kBackground),
          Background());
}

}  // namespace n240qx
