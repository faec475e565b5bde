#include "KeyDialogArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "SkinPainter.h"
#include "SkinSet.h"
#include "SkinStyle.h"

namespace n240qx {

namespace {

constexpr int kTitleBottom = 27;
constexpr int kContentTop = 57;
constexpr int kContentBottom = 338;

void DrawTab(QPainter& painter, const QRect& rect) {
  QPainterPath path;
  const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, 0.5);
  path.moveTo(r.bottomLeft());
  path.lineTo(r.left(), r.top() + 4);
  path.quadTo(r.topLeft(), QPointF(r.left() + 4, r.top()));
  path.lineTo(r.right() - 4, r.top());
  path.quadTo(r.topRight(), QPointF(r.right(), r.top() + 4));
  path.lineTo(r.bottomRight());
  QLinearGradient shade(r.topLeft(), r.bottomLeft());
  shade.setColorAt(0, SkinStyle::ButtonTop());
  shade.setColorAt(1, SkinStyle::Surface());
  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.setBrush(shade);
  painter.drawPath(path);
}

}  // namespace

QRect KeyDialogArt::Tab(int page) {
  const int left = 97 * page;
  return QRect(QPoint(left, 28), QPoint(left + 94, 55));
}

QRect KeyDialogArt::PushButton(int which) {
  const int left = 130 + 90 * which;
  return QRect(QPoint(left, 346), QPoint(left + 70, 368));
}

QSize KeyDialogArt::BackgroundSize() {
  const QRect last_tab = Tab(3);
  return {last_tab.right() + 1, PushButton(2).bottom() + 10};
}

QImage KeyDialogArt::Background() {
  const QSize size = BackgroundSize();
  QImage image = SkinPainter::Canvas(size, SkinStyle::Backdrop());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::TitleStrip(painter, size.width(), kTitleBottom, /*with_rule=*/false);
  SkinPainter::Cross(painter, QRectF(CloseBox()).adjusted(0.5, 1, -0.5, -1), SkinStyle::Glyph(),
                     1.4);
  for (int page = 0; page < 4; ++page) {
    DrawTab(painter, Tab(page));
  }
  // The page area: one surface under the fields, the tree, the list and the launch rows.
  const QRect content(QPoint(0, kContentTop), QPoint(size.width() - 1, kContentBottom));
  painter.fillRect(content, SkinStyle::Surface());
  painter.fillRect(QRect(0, kContentTop - 1, size.width(), 1), SkinStyle::Accent());
  painter.fillRect(QRect(0, kContentBottom + 1, size.width(), 1), SkinStyle::Border());
  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  return image;
}

QImage KeyDialogArt::Tab() {
  const QSize size = Tab(0).size();
  QImage image = SkinPainter::Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  DrawTab(painter, QRect(QPoint(0, 0), size));
  return image;
}

QImage KeyDialogArt::PathField() {
  QImage image = SkinPainter::Canvas(LaunchField().size(), SkinStyle::Surface());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::Well(painter, QRect(QPoint(0, 0), LaunchField().size()), 3);
  return image;
}

QImage KeyDialogArt::Browse(bool hover) {
  QImage image =
      SkinPainter::Button(BrowseButton().size(), hover ? ButtonLook::kHover : ButtonLook::kNormal);
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  // A folder: the browse button opens a file or folder choice.
  const QSizeF size = BrowseButton().size();
  const QRectF body(size.width() / 2 - 9, size.height() / 2 - 5, 18, 12);
  QPainterPath folder;
  folder.moveTo(body.left(), body.top());
  folder.lineTo(body.left() + 6, body.top());
  folder.lineTo(body.left() + 8, body.top() + 2);
  folder.lineTo(body.right(), body.top() + 2);
  folder.lineTo(body.right(), body.bottom());
  folder.lineTo(body.left(), body.bottom());
  folder.closeSubpath();
  painter.setPen(QPen(hover ? SkinStyle::Accent() : SkinStyle::Glyph(), 1.3));
  painter.setBrush(hover ? SkinStyle::AccentDark() : QColor(0x3a, 0x3a, 0x3a));
  painter.drawPath(folder);
  return image;
}

void KeyDialogArt::AddTo(SkinSet& set, const QString& language_folder) {
  const QString folder = language_folder + QLatin1Char('/') + QLatin1String(kFolder);
  const QString prefix = folder + QLatin1Char('/');
  set.Add(prefix + QStringLiteral("Custom_BK.png"), Background());
  set.Add(prefix + QStringLiteral("large_button.png"), Tab());
  QImage strip = SkinPainter::Canvas(OptionStrip().size(), SkinStyle::Surface());
  {
    QPainter painter(&strip);
    SkinPainter::Rule(painter, 0, strip.width() - 1, strip.height() / 2, SkinStyle::Accent());
  }
  set.Add(prefix + QStringLiteral("single_combine_option.png"), strip);

  QImage close_normal = SkinPainter::Canvas(CloseBox().size(), SkinStyle::Transparent());
  QImage close_over = close_normal;
  {
    const QRectF mark = QRectF(QPointF(0, 0), CloseBox().size()).adjusted(0.5, 1, -0.5, -1);
    QPainter normal(&close_normal);
    SkinPainter::Prepare(normal);
    SkinPainter::Cross(normal, mark, SkinStyle::Glyph(), 1.4);
    QPainter over(&close_over);
    SkinPainter::Prepare(over);
    SkinPainter::Cross(over, mark, SkinStyle::Accent(), 1.4);
  }
  set.Add(prefix + QStringLiteral("button-close-normal.png"), close_normal);
  set.Add(prefix + QStringLiteral("button-close-over.png"), close_over);

  // "Disable key" and the launch rows' radio items share these two pictures: on a
  // case-insensitive file system both spellings are one file.
  set.AddSpellings(folder, {QStringLiteral("Enable.png"), QStringLiteral("enable.png")},
                   SkinPainter::Indicator(DisableToggle().size(), true));
  set.AddSpellings(folder, {QStringLiteral("Disable.png"), QStringLiteral("disable.png")},
                   SkinPainter::Indicator(DisableToggle().size(), false));

  const QSize button = PushButton(0).size();
  set.Add(prefix + QStringLiteral("button-cancel-normal.png"),
          SkinPainter::Button(button, ButtonLook::kNormal));
  set.Add(prefix + QStringLiteral("button-cancel-over.png"),
          SkinPainter::Button(button, ButtonLook::kHover));
  set.Add(prefix + QStringLiteral("button-save-normal.png"),
          SkinPainter::Button(button, ButtonLook::kPrimary));
  set.Add(prefix + QStringLiteral("button-save-over.png"),
          SkinPainter::Button(button, ButtonLook::kPrimaryHover));
  set.Add(prefix + QStringLiteral("Advanced.png"), PathField());
  set.Add(prefix + QStringLiteral("view.png"), Browse(false));
  set.Add(prefix + QStringLiteral("view02.png"), Browse(true));
}

}  // namespace n240qx
