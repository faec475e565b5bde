#include "gui/PaintOpPainter.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdlib>

namespace n240qx {

QColor ToQColor(RgbColour colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

namespace {

class OpPainter {
 public:
  OpPainter(QPainter& painter, SkinPictures& skins) : painter_(painter), skins_(skins) {}

  void operator()(const PaintText& op) {
    if (op.height <= 0 || op.text.empty()) {
      return;
    }
    const QString text = QString::fromStdString(op.text);
    TextFonts& fonts = skins_.fonts();
    const TextFonts::Entry& font = fonts.For(fonts.FittedHeight(text, op.height, op.max_width));
    painter_.setFont(font.font);
    painter_.setPen(ToQColor(op.colour));
    const int x = op.align_right && op.max_width > 0
                      ? op.x + op.max_width - QFontMetrics(font.font).horizontalAdvance(text)
                      : op.x;
    // The text's top-left corner is the cell's, so the baseline sits one ascent lower.
    painter_.drawText(QPoint(x, op.y + font.ascent), text);
  }

  void operator()(const PaintPicture& op) {
    const QImage& picture = skins_.Picture(QString::fromStdString(op.name));
    if (!picture.isNull()) {
      painter_.drawImage(QPoint(op.x, op.y), picture);
    }
  }

  void operator()(const PaintFill& op) {
    if (op.width > 0 && op.height > 0) {
      painter_.fillRect(QRect(op.x, op.y, op.width, op.height), ToQColor(op.colour));
    }
  }

  void operator()(const PaintFrame& op) {
    if (op.width <= 0 || op.height <= 0) {
      return;
    }
    const QColor colour = ToQColor(op.colour);
    // Four filled edges rather than a pen outline: pens place a 1-pixel outline half inside,
    // half outside the rectangle, and a frame one pixel wide or high must still be drawn.
    painter_.fillRect(QRect(op.x, op.y, op.width, 1), colour);
    painter_.fillRect(QRect(op.x, op.y + op.height - 1, op.width, 1), colour);
    painter_.fillRect(QRect(op.x, op.y, 1, op.height), colour);
    painter_.fillRect(QRect(op.x + op.width - 1, op.y, 1, op.height), colour);
  }

  void operator()(const PaintLine& op) {
    const QColor colour = ToQColor(op.colour);
    if (op.x0 == op.x1 || op.y0 == op.y1) {
      const int left = std::min(op.x0, op.x1);
      const int top = std::min(op.y0, op.y1);
      painter_.fillRect(QRect(left, top, std::abs(op.x1 - op.x0) + 1, std::abs(op.y1 - op.y0) + 1),
                        colour);
      return;
    }
    painter_.setPen(QPen(colour, 1));
    painter_.drawLine(QPoint(op.x0, op.y0), QPoint(op.x1, op.y1));
    // Whether a pen draws a line's last pixel depends on the paint engine; both ends belong
    // to the line.
    painter_.drawPoint(op.x0, op.y0);
    painter_.drawPoint(op.x1, op.y1);
  }

  void operator()(const PaintPictureCut& op) {
    if (op.width <= 0 || op.height <= 0) {
      return;
    }
    const QImage& picture = skins_.Picture(QString::fromStdString(op.name));
    if (!picture.isNull()) {
      painter_.drawImage(QPoint(op.x, op.y), picture,
                         QRect(op.source_x, op.source_y, op.width, op.height));
    }
  }

 private:
  QPainter& painter_;
  SkinPictures& skins_;
};

}  // namespace

void PaintOps(QPainter& painter, const std::vector<PaintOp>& ops, SkinPictures& skins) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setBrush(Qt::NoBrush);
  OpPainter draw(painter, skins);
  for (const PaintOp& op : ops) {
    std::visit(draw, op);
  }
  painter.restore();
}

}  // namespace n240qx
