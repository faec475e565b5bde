#include "LightingArt.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

#include "SkinPainter.h"
#include "SkinSet.h"
#include "SkinStyle.h"
#include "image/ConfigImage.h"
#include "window/BitSliderModel.h"
#include "window/PageItemTable.h"
#include "window/PerformancePanel.h"
#include "window/SliderPanels.h"

namespace n240qx {

namespace {

QSize SizeOf(PageItem item) {
  const PixelRect rect = PageItemTable::RectOf(item);
  return {rect.Width(), rect.Height()};
}

struct DirectionPicture {
  PageItem item;
  char letter;
  double angle;  // the arrow is drawn pointing up and turned by this many degrees
};

constexpr DirectionPicture kDirections[] = {
    {PageItem::kDirectionTop, 'T', 0},
    {PageItem::kDirectionBottom, 'B', 180},
    {PageItem::kDirectionRight, 'R', 90},
    {PageItem::kDirectionLeft, 'L', 270},
};

int SliderLeft(SliderId id) {
  for (const SliderPlacement& placement : kSliderPlacements) {
    if (placement.id == id) {
      return placement.x;
    }
  }
  return 0;
}

// Where the scale picture of a slider is drawn, from the performance panel's own placements.
PicturePlacement ScalePlacement(SliderId id) {
  const auto pictures = PerformancePanel::Pictures(ConfigImage{});
  return id == SliderId::kReportRate ? pictures[3] : pictures[2];
}

}  // namespace

QImage LightingArt::EffectBox(QSize size) {
  QImage image = SkinPainter::Canvas(size, SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::Well(painter, QRect(QPoint(0, 0), size), 2);
  // The drop-down chevron at the right end.
  const double cx = size.width() - 9.5;
  const double cy = size.height() / 2.0;
  painter.setPen(QPen(SkinStyle::Accent(), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(
      QPolygonF({QPointF(cx - 4, cy - 2), QPointF(cx, cy + 2), QPointF(cx + 4, cy - 2)}));
  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.drawLine(QPointF(size.width() - 19.5, 3),
                   QPointF(size.width() - 19.5, size.height() - 3));
  return image;
}

QImage LightingArt::DirectionArrow(QSize size, char direction, bool enabled) {
  QImage image = SkinPainter::Canvas(size, SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  const QRect rect(QPoint(0, 0), size);
  if (enabled) {
    SkinPainter::GradientBox(painter, rect, 3, SkinStyle::AccentDark().lighter(130),
                             SkinStyle::AccentDark(), SkinStyle::Accent());
  } else {
    SkinPainter::GradientBox(painter, rect, 3, QColor(0x30, 0x30, 0x30), QColor(0x28, 0x28, 0x28),
                             SkinStyle::Border());
  }
  double angle = 0;
  for (const DirectionPicture& picture : kDirections) {
    if (picture.letter == direction) {
      angle = picture.angle;
    }
  }
  painter.translate(size.width() / 2.0, size.height() / 2.0);
  painter.rotate(angle);
  QPainterPath arrow;
  arrow.moveTo(0, -5.5);
  arrow.lineTo(5, 0);
  arrow.lineTo(1.6, 0);
  arrow.lineTo(1.6, 5.5);
  arrow.lineTo(-1.6, 5.5);
  arrow.lineTo(-1.6, 0);
  arrow.lineTo(-5, 0);
  arrow.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(enabled ? SkinStyle::Accent() : SkinStyle::Glyph().darker(130));
  painter.drawPath(arrow);
  return image;
}

QImage LightingArt::Multicolour(QSize size) {
  QImage image = SkinPainter::Canvas(size, SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  const QRectF face = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
  QConicalGradient hues(face.center(), 90);
  const QColor stops[] = {QColor(255, 0, 0),   QColor(255, 255, 0), QColor(0, 255, 0),
                          QColor(0, 255, 255), QColor(0, 0, 255),   QColor(255, 0, 255),
                          QColor(255, 0, 0)};
  for (int i = 0; i < 7; ++i) {
    hues.setColorAt(i / 6.0, stops[i]);
  }
  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.setBrush(hues);
  painter.drawRoundedRect(face, 3, 3);
  // A white centre reads as "all colours" rather than as one more swatch.
  QRadialGradient centre(face.center(), face.width() / 2.2);
  centre.setColorAt(0, QColor(255, 255, 255, 230));
  centre.setColorAt(1, QColor(255, 255, 255, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(centre);
  painter.drawRoundedRect(face, 3, 3);
  return image;
}

QImage LightingArt::Thumb() {
  const BitSliderGeometry geometry;
  const QSize size(geometry.thumb_width, kThumbHeight);
  QImage image = SkinPainter::Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::GradientBox(painter, QRect(QPoint(0, 0), size), 3, QColor(0xf0, 0xf0, 0xf0),
                           QColor(0xa8, 0xa8, 0xa8), QColor(0x1a, 0x1a, 0x1a));
  painter.setPen(QPen(SkinStyle::AccentDeep(), 1.2));
  const double middle = size.width() / 2.0;
  painter.drawLine(QPointF(middle, 3.5), QPointF(middle, size.height() - 3.5));
  return image;
}

QImage LightingArt::Track(bool left) {
  const BitSliderGeometry geometry;
  QImage image = SkinPainter::Canvas(QSize(geometry.width, geometry.height), SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  const QRect groove(1, geometry.height / 2 - 2, geometry.width - 2, 6);
  if (left) {
    // The filled part glows a little beyond its groove.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 255, 255, 36));
    painter.drawRoundedRect(QRectF(groove).adjusted(-1, -2, 1, 2), 4, 4);
    SkinPainter::GradientBox(painter, groove, 3, SkinStyle::Accent(), SkinStyle::AccentDeep(),
                             SkinStyle::AccentDeep());
  } else {
    SkinPainter::Well(painter, groove, 3);
  }
  return image;
}

QImage LightingArt::Scale(SliderId id) {
  const BitSliderGeometry geometry;
  const PicturePlacement placement = ScalePlacement(id);
  const int width = geometry.width + 2;
  constexpr int kHeight = 16;
  QImage image = SkinPainter::Canvas(QSize(width, kHeight), SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  BitSliderModel model(id, geometry);
  const int shift = SliderLeft(id) - placement.x + geometry.thumb_width / 2;
  for (int position = model.min(); position <= model.max(); ++position) {
    const int x =
        shift + SliderPanels::ThumbDrawOffset(id, position, model.ThumbLeftForPosition(position));
    painter.fillRect(QRect(x, 0, 1, 3), SkinStyle::BorderLight());
    if (id == SliderId::kResponseTime) {
      // The keyboard's own response-time values run one above the slider's positions.
      SkinPainter::CentredText(painter, QRectF(x - 8, 3, 17, 12), QString::number(position + 1), 9,
                               SkinStyle::Glyph());
    } else {
      // Report rates rise left to right: bars of growing height.
      const int bar = 3 + 2 * (position - model.min());
      painter.fillRect(QRect(x - 1, kHeight - 1 - bar, 3, bar),
                       position == model.max() ? SkinStyle::Accent() : SkinStyle::Glyph());
    }
  }
  return image;
}

void LightingArt::AddTo(SkinSet& set, const QString& folder) {
  const QString prefix = folder + QLatin1Char('/');
  set.Add(prefix + QStringLiteral("Light_Item.png"), EffectBox(SizeOf(PageItem::kEffectName)));
  for (const DirectionPicture& picture : kDirections) {
    const QString stem = QStringLiteral("Direction-") + QLatin1Char(picture.letter);
    const QSize size = SizeOf(picture.item);
    set.Add(prefix + stem + QStringLiteral("-Disable.png"),
            DirectionArrow(size, picture.letter, false));
    set.Add(prefix + stem + QStringLiteral("-Enable.png"),
            DirectionArrow(size, picture.letter, true));
  }
  set.Add(prefix + QStringLiteral("8.png"), Multicolour(SizeOf(PageItem::kMulticolour)));
  // The same two pictures serve as the Keymap / Custom radio items and as the game mode and
  // Windows-key lock toggles; the radio items' rectangle is the smaller one.
  const QSize toggle = SizeOf(PageItem::kKeymap);
  set.AddSpellings(folder, {QStringLiteral("Enable.png"), QStringLiteral("enable.png")},
                   SkinPainter::Indicator(toggle, true));
  set.AddSpellings(folder, {QStringLiteral("Disable.png"), QStringLiteral("disable.png")},
                   SkinPainter::Indicator(toggle, false));
  set.Add(prefix + QStringLiteral("Thumb.png"), Thumb());
  set.Add(prefix + QLatin1String(kTrackLeftName), Track(true));
  set.Add(prefix + QLatin1String(kTrackRightName), Track(false));
  set.Add(prefix + SkinPainter::Name(ScalePlacement(SliderId::kResponseTime).file),
          Scale(SliderId::kResponseTime));
  set.Add(prefix + SkinPainter::Name(ScalePlacement(SliderId::kReportRate).file),
          Scale(SliderId::kReportRate));
}

}  // namespace n240qx
