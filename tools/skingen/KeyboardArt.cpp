#include "KeyboardArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <vector>

#include "SkinPainter.h"
#include "SkinStyle.h"
#include "keys/KeyTable.h"
#include "window/KeyboardViewGeometry.h"

namespace n240qx {

namespace {

constexpr int kCaseMargin = 14;
// The strip above the function row carries the name print and the lock lights.
constexpr int kCaseTopStrip = 28;
constexpr int kPictureBottomMargin = 22;
constexpr double kCapRadius = 3.0;

struct CapColours {
  QColor edge;
  QColor top;
  QColor bottom;
  QColor face_top;
  QColor face_bottom;
  QColor legend;
};

CapColours ColoursFor(bool lit) {
  if (lit) {
    return {SkinStyle::Accent(),      QColor(0, 0xb4, 0xbc), QColor(0, 0x6e, 0x76),
            QColor(0x30, 0xf4, 0xf8), QColor(0, 0xc8, 0xd0), SkinStyle::AccentInk()};
  }
  return {SkinStyle::CapEdge(),    SkinStyle::CapTop(),        SkinStyle::CapBottom(),
          SkinStyle::CapFaceTop(), SkinStyle::CapFaceBottom(), SkinStyle::Legend()};
}

// The key's outline: one rounded rectangle per piece, one pixel in from the key's cell so
// that neighbouring caps stay apart. The Enter key's two pieces overlap into an L.
QPainterPath CapPath(std::size_t key, double inset) {
  const std::vector<KeyboardViewGeometry::Piece> pieces = KeyboardViewGeometry::Pieces(key);
  QPainterPath path;
  for (const KeyboardViewGeometry::Piece& piece : pieces) {
    QPainterPath part;
    const QRectF cell(piece.x, piece.y, piece.width, piece.height);
    part.addRoundedRect(cell.adjusted(inset, inset, -inset, -inset), kCapRadius, kCapRadius);
    path = path.isEmpty() ? part : path.united(part);
  }
  if (pieces.size() > 1) {
    // The rounded corners leave a notch where the Enter key's pieces meet; fill it.
    const QRectF seam(pieces[1].x + inset, pieces[0].y + pieces[0].height - kCapRadius - inset,
                      pieces[1].width - 2 * inset, 2 * kCapRadius + 2 * inset);
    QPainterPath bridge;
    bridge.addRect(seam);
    path = path.united(bridge);
  }
  return path.simplified();
}

// The legend sits on the first piece (the Enter key's upper part), centred on the cap's face.
QRectF LegendArea(std::size_t key) {
  const auto pieces = KeyboardViewGeometry::Pieces(key);
  const KeyboardViewGeometry::Piece& first = pieces.front();
  return QRectF(first.x + 2, first.y + 1, first.width - 4, first.height - 4);
}

void DrawCap(QPainter& painter, std::size_t key, const CapColours& colours) {
  const QPainterPath outer = CapPath(key, 1.0);
  const QRectF bounds = outer.boundingRect();
  QLinearGradient body(bounds.topLeft(), bounds.bottomLeft());
  body.setColorAt(0, colours.top);
  body.setColorAt(1, colours.bottom);
  painter.setPen(QPen(colours.edge, 1));
  painter.setBrush(body);
  painter.drawPath(outer);

  // The face: inset more at the bottom than at the top, as a cap seen slightly from above.
  QPainterPath face = CapPath(key, 3.0);
  face.translate(0, -1.0);
  QLinearGradient face_shade(bounds.topLeft(), bounds.bottomLeft());
  face_shade.setColorAt(0, colours.face_top);
  face_shade.setColorAt(1, colours.face_bottom);
  painter.setPen(Qt::NoPen);
  painter.setBrush(face_shade);
  painter.drawPath(face);

  const KeyTableRow* row = KeyTable::ByIndex(key);
  SkinPainter::CentredText(painter, LegendArea(key), SkinPainter::Name(row->label), 9,
                           colours.legend, QFont::DemiBold);
}

void DrawCase(QPainter& painter) {
  const QRect area = KeyboardArt::CaseRect();
  // A soft accent glow under the case, as if the keyboard sat on a lit desk.
  for (int i = 0; i < 6; ++i) {
    QColor glow = SkinStyle::Accent();
    glow.setAlpha(16 - 2 * i);
    painter.setPen(QPen(glow, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(area).adjusted(-i - 0.5, -i + 2.5, i + 0.5, i + 1.5), 12 + i,
                            12 + i);
  }
  SkinPainter::GradientBox(painter, area, 10, SkinStyle::CaseTop(), SkinStyle::CaseBottom(),
                           SkinStyle::Border());
  // Bevel: a lighter inner line at the top edge.
  painter.setPen(QPen(QColor(255, 255, 255, 18), 1));
  painter.drawLine(QPointF(area.left() + 10, area.top() + 1.5),
                   QPointF(area.right() - 10, area.top() + 1.5));
  // The accent strip along the front edge.
  SkinPainter::Rule(painter, area.left() + 24, area.right() - 24, area.bottom() - 3,
                    QColor(0, 255, 255, 150));

  // Name print and the three lock lights in the top strip.
  const QRect keys = KeyboardArt::KeyArea();
  painter.setFont(SkinPainter::Font(11, QFont::Bold));
  painter.setPen(QColor(0x6a, 0x6a, 0x6a));
  painter.drawText(QRectF(keys.left(), area.top() + 6, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("N240QX"));
  for (int i = 0; i < 3; ++i) {
    const QPointF centre(keys.right() - 8 - 24 * (2 - i), area.top() + 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 255, 255, 40));
    painter.drawEllipse(centre, 4, 4);
    painter.setBrush(QColor(0, 0x9a, 0xa0));
    painter.drawEllipse(centre, 2, 2);
  }
}

}  // namespace

QRect KeyboardArt::KeyArea() {
  QRect area;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (!KeyboardViewGeometry::Drawn(row.index)) {
      continue;
    }
    const QRect key(QPoint(row.rect.left, row.rect.top), QPoint(row.rect.right, row.rect.bottom));
    area = area.isNull() ? key : area.united(key);
  }
  return area;
}

QRect KeyboardArt::CaseRect() {
  const QRect keys = KeyArea();
  return keys.adjusted(-kCaseMargin, -kCaseTopStrip, kCaseMargin, kCaseMargin);
}

QSize KeyboardArt::PictureSize() {
  const QRect keys = KeyArea();
  return {keys.right() + 1 + keys.left(), CaseRect().bottom() + 1 + kPictureBottomMargin};
}

QImage KeyboardArt::Background() {
  return Draw(false);
}

QImage KeyboardArt::Highlight() {
  return Draw(true);
}

QImage KeyboardArt::Draw(bool lit) {
  QImage image = SkinPainter::Canvas(PictureSize(), SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  DrawCase(painter);
  const CapColours colours = ColoursFor(lit);
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (KeyboardViewGeometry::Drawn(row.index)) {
      DrawCap(painter, row.index, colours);
    }
  }
  return image;
}

}  // namespace n240qx
