#include "MainWindowArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRect>
#include <algorithm>

#include "KeyboardArt.h"
#include "SkinPainter.h"
#include "SkinSet.h"
#include "SkinStyle.h"
#include "window/HelpWindowModel.h"
#include "window/MainWindowLayout.h"
#include "window/PageItemTable.h"
#include "window/PerformancePanel.h"

namespace n240qx {

namespace {

constexpr int kTitleHeight = 31;
constexpr int kCardTop = 90;
constexpr int kCardBottom = 545;
constexpr int kLeftCardLeft = 10;
constexpr int kLeftCardRight = 290;
constexpr int kStageLeft = 297;
constexpr int kFooterTop = 550;
// Which title button: the glyph drawn on it.
constexpr int kHelpGlyph = 0;
constexpr int kMinimiseGlyph = 1;
constexpr int kCloseGlyph = 2;

// A button picture covers its page item's rectangle, whose top-left is where it is drawn.
QSize ButtonSize(const PicturePlacement& placement) {
  for (const PageItemEntry& entry : PageItemTable::Entries()) {
    if (entry.rect.left == placement.x && entry.rect.top == placement.y) {
      return {entry.rect.Width(), entry.rect.Height()};
    }
  }
  return {16, 16};
}

void DrawTitleStrip(QPainter& painter, int width) {
  QLinearGradient shade(0, 0, 0, kTitleHeight);
  shade.setColorAt(0, SkinStyle::TitleTop());
  shade.setColorAt(1, SkinStyle::TitleBottom());
  painter.fillRect(QRect(0, 0, width, kTitleHeight), shade);
  // The band under the title strip fades from the strip's shade into the window.
  QLinearGradient band(0, kTitleHeight + 1, 0, kCardTop);
  band.setColorAt(0, SkinStyle::TitleBottom());
  band.setColorAt(1, SkinStyle::Backdrop());
  painter.fillRect(QRect(0, kTitleHeight + 1, width, kCardTop - kTitleHeight - 1), band);
  SkinPainter::Rule(painter, 0, width - 1, kTitleHeight, QColor(0, 255, 255, 170));
  painter.setFont(SkinPainter::Font(15, QFont::Bold));
  painter.setPen(SkinStyle::Accent());
  painter.drawText(QPoint(14, 21), QStringLiteral("N240QX"));
  painter.setFont(SkinPainter::Font(13, QFont::Normal));
  painter.setPen(SkinStyle::Glyph());
  painter.drawText(QPoint(79, 21), QStringLiteral("Configurator"));
}

void DrawLeftCard(QPainter& painter) {
  const QRect card(QPoint(kLeftCardLeft, kCardTop), QPoint(kLeftCardRight, kCardBottom));
  SkinPainter::Card(painter, card, 6, SkinStyle::Surface(), SkinStyle::Border());
  // Heading marks beside the lighting title and the first performance label.
  const auto labels = PerformancePanel::Labels();
  SkinPainter::AccentMark(painter, kLeftCardLeft + 3, 111, 14);
  SkinPainter::AccentMark(painter, kLeftCardLeft + 3, labels[2].y + 1, labels[2].height - 1);
  SkinPainter::Rule(painter, kLeftCardLeft + 6, kLeftCardRight - 6, 131, SkinStyle::Border());
  SkinPainter::Rule(painter, kLeftCardLeft + 6, kLeftCardRight - 6, labels[2].y - 6,
                    SkinStyle::Border());
  SkinPainter::Rule(painter, kLeftCardLeft + 6, kLeftCardRight - 6, labels[0].y - 10,
                    SkinStyle::Border());
}

void DrawStage(QPainter& painter, int width) {
  const QRect stage(QPoint(kStageLeft, kCardTop), QPoint(width - 9, kCardBottom));
  SkinPainter::Card(painter, stage, 6, SkinStyle::Surface(), SkinStyle::Border());
  // Below the keyboard drawing: a faint print of the name, centred under the keys.
  const QSize keyboard = KeyboardArt::PictureSize();
  const int below = MainWindowLayout::kKeyboard.y + keyboard.height();
  painter.setFont(SkinPainter::Font(44, QFont::Black));
  painter.setPen(QColor(255, 255, 255, 10));
  painter.drawText(
      QRect(MainWindowLayout::kKeyboard.x, below, keyboard.width(), kCardBottom - below - 10),
      Qt::AlignCenter, QStringLiteral("N240QX"));
}

void DrawFooter(QPainter& painter, int width, int height) {
  QLinearGradient shade(0, kFooterTop, 0, height);
  shade.setColorAt(0, SkinStyle::Backdrop());
  shade.setColorAt(1, SkinStyle::TitleBottom());
  painter.fillRect(QRect(0, kFooterTop, width, height - kFooterTop), shade);
  SkinPainter::Rule(painter, 0, width - 1, kFooterTop, SkinStyle::Border());
}

}  // namespace

QSize MainWindowArt::WindowSize() {
  int right = 0;
  int bottom = 0;
  for (const PageItemEntry& entry : PageItemTable::Entries()) {
    right = std::max(right, entry.rect.right);
    bottom = std::max(bottom, entry.rect.bottom);
  }
  for (const PicturePlacement& button : MainWindowLayout::Buttons()) {
    const QSize size = ButtonSize(button);
    right = std::max(right, button.x + size.width() - 1);
    bottom = std::max(bottom, button.y + size.height() - 1);
  }
  const QSize keyboard = KeyboardArt::PictureSize();
  right = std::max(
      {right, MainWindowLayout::kKeyboard.x + keyboard.width() - 1, HelpWindowModel::kArea.right});
  bottom = std::max({bottom, MainWindowLayout::kKeyboard.y + keyboard.height() - 1,
                     HelpWindowModel::kArea.bottom});
  constexpr int kMargin = 3;
  const auto round_up = [](int value) { return (value + 9) / 10 * 10; };
  return {round_up(right + 1 + kMargin), round_up(bottom + 1 + kMargin)};
}

QImage MainWindowArt::Background() {
  const QSize size = WindowSize();
  QImage image = SkinPainter::Canvas(size, SkinStyle::Backdrop());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  DrawTitleStrip(painter, size.width());
  DrawLeftCard(painter);
  DrawStage(painter, size.width());
  DrawFooter(painter, size.width(), size.height());
  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  return image;
}

QImage MainWindowArt::TitleButton(QSize size, int which, bool hover) {
  QImage image = SkinPainter::Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  const QRect rect(QPoint(0, 0), size);
  const QColor glyph = hover ? SkinStyle::Accent() : SkinStyle::Glyph();
  const QColor face =
      which == kCloseGlyph && hover ? QColor(0x5a, 0x1e, 0x1e) : QColor(0x30, 0x30, 0x30);
  SkinPainter::Card(painter, rect, 3, face, hover ? SkinStyle::Accent() : SkinStyle::Border());
  const QRectF inner = QRectF(rect).adjusted(5, 4.5, -5, -4.5);
  switch (which) {
    case kHelpGlyph:
      SkinPainter::CentredText(painter, QRectF(rect).adjusted(0, 0, 0, 1), QStringLiteral("?"), 12,
                               glyph, QFont::Bold);
      break;
    case kMinimiseGlyph:
      painter.setPen(QPen(glyph, 2, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(inner.left(), inner.bottom()), inner.bottomRight());
      break;
    default:
      SkinPainter::Cross(painter, inner, hover ? QColor(255, 120, 120) : glyph, 1.6);
      break;
  }
  return image;
}

QImage MainWindowArt::HelpWindow() {
  const PixelRect area = HelpWindowModel::kArea;
  const QSize size(area.Width(), area.Height());
  QImage image = SkinPainter::Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::GradientBox(painter, QRect(QPoint(0, 0), size), 4, QColor(0x2c, 0x2c, 0x2c),
                           QColor(0x22, 0x22, 0x22), SkinStyle::Accent());
  const auto lines = HelpWindowModel::Lines();
  const int rows = 2;
  for (int row = 1; row <= rows; ++row) {
    SkinPainter::Rule(painter, 4, size.width() - 5, HelpWindowModel::kRowHeight * row,
                      SkinStyle::Border());
  }
  // Row marks left of the two action texts: a circular arrow (reset) and a down arrow (update).
  const int mark_x = (lines[0].x - area.left) / 2;
  painter.setPen(QPen(SkinStyle::Accent(), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  const double reset_y = HelpWindowModel::kRowHeight * 0.5;
  painter.drawArc(QRectF(mark_x - 4.5, reset_y - 4.5, 9, 9), 60 * 16, 280 * 16);
  painter.drawLine(QPointF(mark_x + 2.5, reset_y - 4.5), QPointF(mark_x + 4.5, reset_y - 1.5));
  const double update_y = HelpWindowModel::kRowHeight * 1.5;
  painter.drawLine(QPointF(mark_x, update_y - 5), QPointF(mark_x, update_y + 3));
  painter.drawLine(QPointF(mark_x - 3.5, update_y), QPointF(mark_x, update_y + 3.5));
  painter.drawLine(QPointF(mark_x + 3.5, update_y), QPointF(mark_x, update_y + 3.5));
  painter.drawLine(QPointF(mark_x - 4, update_y + 5.5), QPointF(mark_x + 4, update_y + 5.5));
  return image;
}

void MainWindowArt::AddTo(SkinSet& set, const QString& folder, Language /*language*/) {
  const QString prefix = folder + QLatin1Char('/');
  set.Add(prefix + SkinPainter::Name(MainWindowLayout::kBackground.file), Background());
  const auto buttons = MainWindowLayout::Buttons();
  const int glyphs[] = {kHelpGlyph, kMinimiseGlyph, kCloseGlyph};
  for (int i = 0; i < 3; ++i) {
    const QString normal = SkinPainter::Name(buttons[i].file);
    QString over = normal;
    over.replace(QStringLiteral("-normal"), QStringLiteral("-over"));
    const QSize size = ButtonSize(buttons[i]);
    set.Add(prefix + normal, TitleButton(size, glyphs[i], false));
    set.Add(prefix + over, TitleButton(size, glyphs[i], true));
  }
  // Apply commits, so it is the one button drawn in the accent colour.
  for (int i = 3; i < 6; ++i) {
    const QString name = SkinPainter::Name(buttons[i].file);
    const bool commits = name == QStringLiteral("apply.png");
    set.Add(prefix + name,
            SkinPainter::Button(ButtonSize(buttons[i]),
                                commits ? ButtonLook::kPrimary : ButtonLook::kNormal));
  }
  set.Add(prefix + SkinPainter::Name(HelpWindowModel::kPicture.file), HelpWindow());
}

}  // namespace n240qx
