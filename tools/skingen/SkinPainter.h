#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>
#include <string_view>

namespace n240qx {

// How a push-button picture looks: the plain button, its hover state, and the same two for the
// one button per window that commits (Apply, Save, OK).
enum class ButtonLook { kNormal, kHover, kPrimary, kPrimaryHover };

// Drawing helpers shared by every picture. Rectangles are in whole pixels; outlines are placed
// on pixel centres so that 1-pixel lines stay sharp.
class SkinPainter {
 public:
  // A file name or text of the core's tables as a QString.
  static QString Name(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }

  // A picture of this size filled with `fill` (transparent fills keep the alpha channel).
  static QImage Canvas(QSize size, const QColor& fill);
  static void Prepare(QPainter& painter);

  // The program's text face ("Arial", matched to Liberation Sans on Linux) at a pixel height.
  static QFont Font(int pixel_height, QFont::Weight weight = QFont::Normal);

  // A filled rectangle with a vertical gradient and a 1-pixel outline.
  static void GradientBox(QPainter& painter, const QRect& rect, double radius, const QColor& top,
                          const QColor& bottom, const QColor& border);
  // A flat card: the surface colour with a hairline border.
  static void Card(QPainter& painter, const QRect& rect, double radius, const QColor& fill,
                   const QColor& border);
  // A recessed box for lists, fields and grooves: dark inside, shadowed at the top.
  static void Well(QPainter& painter, const QRect& rect, double radius);
  // A horizontal hairline that fades out towards both ends.
  static void Rule(QPainter& painter, int x0, int x1, int y, const QColor& colour);
  // The dialogs' title strip: a vertical gradient down to `bottom`, with the cyan rule under it
  // unless `with_rule` is false.
  static void TitleStrip(QPainter& painter, int width, int bottom, bool with_rule = true);
  // A short accent bar marking a heading.
  static void AccentMark(QPainter& painter, int x, int y, int height);

  static QImage Button(QSize size, ButtonLook look);
  // A cross made of two strokes inside `rect`.
  static void Cross(QPainter& painter, const QRectF& rect, const QColor& colour, double width);
  static void CheckMark(QPainter& painter, const QRectF& rect, const QColor& colour, double width);
  // A round indicator: the accent-lit dot when on, an empty ring when off.
  static QImage Indicator(QSize size, bool on);
  // A square tick box: empty, or with an accent tick.
  static QImage TickBox(QSize size, bool ticked);
  // Text centred in `rect`, shrunk until it fits the width.
  static void CentredText(QPainter& painter, const QRectF& rect, const QString& text,
                          int pixel_height, const QColor& colour,
                          QFont::Weight weight = QFont::Normal);
};

}  // namespace n240qx
