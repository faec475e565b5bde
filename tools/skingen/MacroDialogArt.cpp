#include "MacroDialogArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include "SkinPainter.h"
#include "SkinSet.h"
#include "SkinStyle.h"
#include "dialogs/MacroDialogTexts.h"

namespace n240qx {

namespace {

constexpr int kTitleBottom = 34;

QString Title(Language language) {
  return SkinPainter::Name(MacroDialogText(MacroText::kTitle, language));
}

QRect Around(const QRect& rect, int margin) {
  return rect.adjusted(-margin, -margin, margin, margin);
}

}  // namespace

QRect MacroDialogArt::PushButton(int which) {
  return Rect(static_cast<MacroButton>(static_cast<int>(MacroButton::kNew) + which));
}

QSize MacroDialogArt::BackgroundSize() {
  return {CloseBox().right() + 8, PushButton(0).bottom() + 10};
}

QImage MacroDialogArt::Background(Language language) {
  const QSize size = BackgroundSize();
  QImage image = SkinPainter::Canvas(size, SkinStyle::Backdrop());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::TitleStrip(painter, size.width(), kTitleBottom);
  SkinPainter::AccentMark(painter, 10, 11, 14);
  painter.setFont(SkinPainter::Font(15, QFont::Bold));
  painter.setPen(SkinStyle::Legend());
  painter.drawText(QPoint(19, 23), Title(language));
  SkinPainter::Cross(painter, QRectF(CloseBox()).adjusted(0.5, 0.5, -0.5, -0.5), SkinStyle::Glyph(),
                     1.4);

  SkinPainter::Well(painter, Around(MacroList(), 1), 3);
  SkinPainter::Well(painter, Around(EventList(), 1), 3);
  // The settings column: Record, the delay option and the loop option.
  const QRect column(QPoint(RecordButton().left() - 6, MacroList().top() - 1),
                     QPoint(RecordButton().right() + 7, MacroList().bottom() + 1));
  SkinPainter::Card(painter, column, 5, SkinStyle::Surface(), SkinStyle::Border());
  SkinPainter::Rule(painter, column.left() + 4, column.right() - 4, RecordButton().bottom() + 16,
                    SkinStyle::Border());
  SkinPainter::Rule(painter, column.left() + 4, column.right() - 4, LoopBox().top() - 28,
                    SkinStyle::Border());
  SkinPainter::Well(painter, Around(LoopField(), 1), 2);
  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  return image;
}

void MacroDialogArt::AddTo(SkinSet& set, const QString& language_folder, Language language) {
  const QString prefix =
      language_folder + QLatin1Char('/') + QLatin1String(kFolder) + QLatin1Char('/');
  set.Add(prefix + QStringLiteral("MacroManagement.png"), Background(language));
  set.Add(prefix + QStringLiteral("Record-normal.png"),
          SkinPainter::Button(RecordButton().size(), ButtonLook::kNormal));
  set.Add(prefix + QStringLiteral("Record-over.png"),
          SkinPainter::Button(RecordButton().size(), ButtonLook::kHover));
  set.Add(prefix + QStringLiteral("Pane.png"), SkinPainter::TickBox(DelayBox().size(), false));
  set.Add(prefix + QStringLiteral("PaneMakingTick.png"),
          SkinPainter::TickBox(DelayBox().size(), true));
  set.Add(prefix + QStringLiteral("button-new-normal.png"),
          SkinPainter::Button(PushButton(0).size(), ButtonLook::kNormal));
  set.Add(prefix + QStringLiteral("button-new-over.png"),
          SkinPainter::Button(PushButton(0).size(), ButtonLook::kHover));
}

}  // namespace n240qx
