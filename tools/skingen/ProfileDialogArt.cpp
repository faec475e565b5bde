#include "ProfileDialogArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include "SkinPainter.h"
#include "SkinSet.h"
#include "SkinStyle.h"
#include "app/Texts.h"
#include "dialogs/ProfileDialogModel.h"

namespace n240qx {

namespace {

constexpr int kTitleBottom = 40;

QString Title(Language language) {
  const std::string_view text = Texts::Lookup(TextId::kProfile, language);
  return SkinPainter::Name(text);
}

// An arrow into (import) or out of (export) a tray: a picture of its own, which the dialog
// draws left of a button's label where the label leaves room for it.
QImage TransferIcon(bool into) {
  QImage image =
      SkinPainter::Canvas(QSize(ProfileDialogModel::kIconWidth, ProfileDialogModel::kIconHeight),
                          SkinStyle::Transparent());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  const double x = ProfileDialogModel::kIconWidth / 2.0;
  const double y = 7.0;
  painter.setPen(QPen(SkinStyle::Accent(), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(QPolygonF({QPointF(x - 4.5, y + 1), QPointF(x - 4.5, y + 5),
                                  QPointF(x + 4.5, y + 5), QPointF(x + 4.5, y + 1)}));
  painter.drawLine(QPointF(x, y - 6), QPointF(x, y + 2));
  const double tip = into ? y + 2 : y - 6;
  const double back = into ? -3 : 3;
  painter.drawLine(QPointF(x - 3, tip + back), QPointF(x, tip));
  painter.drawLine(QPointF(x + 3, tip + back), QPointF(x, tip));
  return image;
}

}  // namespace

QSize ProfileDialogArt::BackgroundSize() {
  return {ImportButton().right() + 17, OkArea().bottom() + 12};
}

QImage ProfileDialogArt::Background(Language language) {
  const QSize size = BackgroundSize();
  QImage image = SkinPainter::Canvas(size, SkinStyle::Backdrop());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  SkinPainter::TitleStrip(painter, size.width(), kTitleBottom);
  SkinPainter::AccentMark(painter, 10, 14, 14);
  painter.setFont(SkinPainter::Font(15, QFont::Bold));
  painter.setPen(SkinStyle::Legend());
  painter.drawText(QPoint(19, 26), Title(language));

  SkinPainter::Well(painter, List().adjusted(-1, -1, 1, 1), 3);
  for (const QRect& button : {ImportButton(), ExportButton()}) {
    SkinPainter::GradientBox(painter, button, 4, SkinStyle::ButtonTop(), SkinStyle::ButtonBottom(),
                             SkinStyle::AccentDeep());
  }

  const QImage ok = SkinPainter::Button(OkArea().size(), ButtonLook::kPrimary);
  painter.drawImage(OkArea().topLeft(), ok);
  const QRectF mark = QRectF(OkArea()).adjusted(17, 4, -17, -4);
  SkinPainter::CheckMark(painter, mark, QColor(255, 255, 255), 1.8);

  painter.setPen(QPen(SkinStyle::Border(), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  return image;
}

QImage ProfileDialogArt::CloseMarkPicture(bool hover) {
  // One pixel of margin around the hit area on every side.
  const QSize size = CloseMark().size() + QSize(2, 2);
  QImage image = SkinPainter::Canvas(size, SkinStyle::Transparent());
  QPainter painter(&image);
  SkinPainter::Prepare(painter);
  const QRectF mark(1.5, 1.5, CloseMark().width() - 1, CloseMark().height() - 1);
  SkinPainter::Cross(painter, mark, hover ? SkinStyle::Accent() : SkinStyle::Legend(), 1.3);
  return image;
}

void ProfileDialogArt::AddTo(SkinSet& set, const QString& language_folder, Language language) {
  const QString prefix =
      language_folder + QLatin1Char('/') + QLatin1String(kFolder) + QLatin1Char('/');
  set.Add(prefix + QStringLiteral("Profile_BK.png"), Background(language));
  set.Add(prefix + QString::fromLatin1(ProfileDialogModel::kImportIcon), TransferIcon(true));
  set.Add(prefix + QString::fromLatin1(ProfileDialogModel::kExportIcon), TransferIcon(false));
  set.Add(prefix + QStringLiteral("button-close-normal.png"), CloseMarkPicture(false));
  set.Add(prefix + QStringLiteral("button-close-over.png"), CloseMarkPicture(true));
}

}  // namespace n240qx
