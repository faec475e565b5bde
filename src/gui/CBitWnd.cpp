#include "gui/CBitWnd.h"

#include <QPainter>

namespace n240qx {

CBitWnd::CBitWnd(SkinPictures& skins, QWidget* parent) : QWidget(parent), skins_(skins) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setCursor(Qt::ArrowCursor);
  const QImage& picture = skins_.Picture(QString::fromLatin1(kPicture));
  resize(picture.isNull() ? QSize(kWidth, kHeight) : picture.size());
}

void CBitWnd::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QImage& picture = skins_.Picture(QString::fromLatin1(kPicture));
  if (!picture.isNull()) {
    painter.drawImage(0, 0, picture);
  }
}

}  // namespace n240qx
