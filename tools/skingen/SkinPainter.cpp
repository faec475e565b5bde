#include "SkinPainter.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <algorithm>

#include "SkinStyle.h"

namespace n240qx {

namespace {

// The outline of a pixel rectangle runs through the centres of its outermost pixels.
QRectF OutlineOf(const QRect& rect) {
  return QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
}

}  // namespace

QImage SkinPainter::Canvas(QSize size, const QColor& fill) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

void SkinPainter::Prepare(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont SkinPainter::Font(int pixel_height, QFont::Weight weight) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixel_height);
  font.setWeight(weight);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void SkinPainter::GradientBox(QPainter& painter, const QRect& rect, double radius,
                              const QColor& top, const QColor& bottom, const QColor& border) {
  const QRectF outline = OutlineOf(rect);
  QLinearGradient gradient(outline.topLeft(), outline.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.setPen(QPen(border, 1));
  painter.setBrush(gradient);
  painter.drawRoundedRect(outline, radius, radius);
}

void SkinPainter::Card(QPainter& painter, const QRect& rect, double radius, const QColor& fill,
                       const QColor& border) {
  painter.setPen(QPen(border, 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(OutlineOf(rect), radius, radius);
}

void SkinPainter::Well(QPainter& painter, const QRect& rect, double radius) {
  GradientBox(painter, rect, radius, SkinStyle::Well().darker(115), SkinStyle::Well(),
              SkinStyle::Border());
}

void SkinPainter::TitleStrip(QPainter& painter, int width, int bottom, bool with_rule) {
  QLinearGradient title(0, 0, 0, bottom);
  title.setColorAt(0, SkinStyle::TitleTop());
  title.setColorAt(1, SkinStyle::TitleBottom());
  painter.fillRect(QRect(0, 0, width, bottom), title);
  if (with_rule) {
    Rule(painter, 0, width - 1, bottom, QColor(0, 255, 255, 170));
  }
}

void SkinPainter::Rule(QPainter& painter, int x0, int x1, int y, const QColor& colour) {
  QLinearGradient gradient(x0, y, x1, y);
  QColor clear = colour;
  clear.setAlpha(0);
  gradient.setColorAt(0, clear);
  gradient.setColorAt(0.15, colour);
  gradient.setColorAt(0.85, colour);
  gradient.setColorAt(1, clear);
  painter.fillRect(QRect(x0, y, x1 - x0 + 1, 1), gradient);
}

void SkinPainter::AccentMark(QPainter& painter, int x, int y, int height) {
  painter.fillRect(QRect(x, y, 3, height), SkinStyle::Accent());
}

QImage SkinPainter::Button(QSize size, ButtonLook look) {
  QImage image = Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  Prepare(painter);
  const QRect rect(QPoint(0, 0), size);
  switch (look) {
    case ButtonLook::kNormal:
      GradientBox(painter, rect, 3, SkinStyle::ButtonTop(), SkinStyle::ButtonBottom(),
                  SkinStyle::Border().darker(130));
      break;
    case ButtonLook::kHover:
      GradientBox(painter, rect, 3, SkinStyle::ButtonTop().lighter(115),
                  SkinStyle::ButtonBottom().lighter(110), SkinStyle::Accent());
      break;
    case ButtonLook::kPrimary:
      GradientBox(painter, rect, 3, SkinStyle::AccentDeep(), SkinStyle::AccentDark(),
                  SkinStyle::AccentDeep().lighter(140));
      break;
    case ButtonLook::kPrimaryHover:
      GradientBox(painter, rect, 3, SkinStyle::AccentDeep().lighter(125),
                  SkinStyle::AccentDark().lighter(125), SkinStyle::Accent());
      break;
  }
  // A faint top highlight gives the face a little depth.
  painter.setPen(QPen(QColor(255, 255, 255, 28), 1));
  painter.drawLine(QPointF(3, 1.5), QPointF(size.width() - 3, 1.5));
  return image;
}

void SkinPainter::Cross(QPainter& painter, const QRectF& rect, const QColor& colour, double width) {
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(rect.topLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomLeft());
}

void SkinPainter::CheckMark(QPainter& painter, const QRectF& rect, const QColor& colour,
                            double width) {
  QPainterPath path;
  path.moveTo(rect.left(), rect.top() + rect.height() * 0.55);
  path.lineTo(rect.left() + rect.width() * 0.38, rect.bottom());
  path.lineTo(rect.right(), rect.top());
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
}

QImage SkinPainter::Indicator(QSize size, bool on) {
  QImage image = Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  Prepare(painter);
  const double diameter = std::min(size.width(), size.height()) - 1.0;
  const QRectF ring((size.width() - diameter) / 2.0, (size.height() - diameter) / 2.0, diameter,
                    diameter);
  painter.setPen(QPen(on ? SkinStyle::Accent() : SkinStyle::BorderLight(), 1));
  painter.setBrush(SkinStyle::Well());
  painter.drawEllipse(ring);
  if (on) {
    const double inset = std::max(2.0, diameter * 0.24);
    const QRectF dot = ring.adjusted(inset, inset, -inset, -inset);
    QRadialGradient glow(dot.center(), dot.width() / 2.0);
    glow.setColorAt(0, QColor(200, 255, 255));
    glow.setColorAt(1, SkinStyle::Accent());
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(dot);
  }
  return image;
}

QImage SkinPainter::TickBox(QSize size, bool ticked) {
  QImage image = Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  Prepare(painter);
  const QRect rect(QPoint(0, 0), size);
  GradientBox(painter, rect, 2, SkinStyle::Well().darker(120), SkinStyle::Well(),
              ticked ? SkinStyle::Accent() : SkinStyle::BorderLight());
  if (ticked) {
    const QRectF inner = QRectF(rect).adjusted(3.5, 3.5, -3.5, -4);
    CheckMark(painter, inner, SkinStyle::Accent(), 2);
  }
  return image;
}

void SkinPainter::CentredText(QPainter& painter, const QRectF& rect, const QString& text,
                              int pixel_height, const QColor& colour, QFont::Weight weight) {
  int height = pixel_height;
  QFont font = Font(height, weight);
  while (height > 6 && QFontMetricsF(font).horizontalAdvance(text) > rect.width() - 2) {
    font = Font(--height, weight);
  }
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(rect, Qt::AlignCenter, text);
}

}  // namespace n240qx
