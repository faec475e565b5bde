#include "gui/CCustomColorDialog.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <string_view>

#include "gui/PaintOpPainter.h"
#include "gui/QtText.h"

namespace n240qx {

namespace {

// The controls are 15 pixels high; the system's default font would not fit them.
constexpr int kControlFontPixels = 11;
const QColor kFallbackBackground(40, 40, 40);

QRect RectOf(const ColourDialogPlace& place) {
  return {place.x, place.y, place.width, place.height};
}

QFont ControlFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(kControlFontPixels);
  return font;
}

// The buttons keep their fixed size; a word longer than the room inside the button's frame
// ("Abbrechen") is drawn smaller instead of being cut.
void FitText(QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const int room =
      button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
  QFont font = ControlFont();
  while (font.pixelSize() > 1 && QFontMetrics(font).horizontalAdvance(button.text()) > room) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  button.setFont(font);
}

}  // namespace

CCustomColorDialog::CCustomColorDialog(std::uint32_t& shared_colour, SkinPictures& skins,
                                       Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      model_(shared_colour),
      skins_(skins),
      language_(language) {
  setModal(true);

  ok_ = new QPushButton(this);
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setGeometry(RectOf(ColourDialogModel::kOkPlace));
  ok_->setFont(ControlFont());
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  cancel_ = new QPushButton(this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  cancel_->setGeometry(RectOf(ColourDialogModel::kCancelPlace));
  cancel_->setFont(ControlFont());
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  boxes_ = {MakeBox(ColourDialogModel::kRedBox, "red"),
            MakeBox(ColourDialogModel::kGreenBox, "green"),
            MakeBox(ColourDialogModel::kBlueBox, "blue"),
            MakeBox(ColourDialogModel::kHueBox, "hue"),
            MakeBox(ColourDialogModel::kSaturationBox, "saturation"),
            MakeBox(ColourDialogModel::kLuminosityBox, "luminosity")};

  spectrum_ =
      new CXColorSpectrumCtrl(model_.spectrum(), ColourDialogModel::kSpectrumControlId, this);
  spectrum_->setObjectName(QStringLiteral("spectrum"));
  spectrum_->move(ColourDialogModel::kSpectrumPlace.x, ColourDialogModel::kSpectrumPlace.y);
  connect(spectrum_, &CXColorSpectrumCtrl::SelChange, this,
          &CCustomColorDialog::OnSpectrumSelChange);
  // The end notification is sent but not acted on: the dialog ends only through its buttons
  // and the close mark.

  setTabOrder(spectrum_, ok_);
  setTabOrder(ok_, cancel_);
  ApplyLanguage();
  FitToBackground();
}

QLineEdit* CCustomColorDialog::MakeBox(const ColourDialogPlace& place, const char* name) {
  auto* box = new QLineEdit(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(RectOf(place));
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  box->setFont(ControlFont());
  box->setTextMargins(0, 0, 0, 0);
  return box;
}

void CCustomColorDialog::SetLanguage(Language language) {
  language_ = language;
  ApplyLanguage();
}

void CCustomColorDialog::ApplyLanguage() {
  setWindowTitle(ToQString(ColourDialogModel::WindowText(language_)));
  ok_->setText(ToQString(ColourDialogModel::OkText(language_)));
  cancel_->setText(ToQString(ColourDialogModel::CancelText(language_)));
  FitText(*ok_);
  FitText(*cancel_);
  update();
}

void CCustomColorDialog::FitToBackground() {
  const QImage& background = skins_.Picture(ToQString(ColourDialogModel::kBackground));
  const QSize size =
      background.isNull() ? QSize(kFallbackWidth, kFallbackHeight) : background.size();
  setFixedSize(size);
}

bool CCustomColorDialog::Run() {
  model_.Open();
  FitToBackground();
  UpdateBoxes();
  drag_.Reset();
  spectrum_->update();
  spectrum_->setFocus(Qt::OtherFocusReason);
  return exec() == QDialog::Accepted;
}

void CCustomColorDialog::UpdateBoxes() {
  const ColourDialogBoxes values = model_.Boxes();
  const std::array<int, 6> numbers{values.red, values.green,      values.blue,
                                   values.hue, values.saturation, values.luminosity};
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    boxes_[i]->setText(QString::number(numbers[i]));
  }
}

void CCustomColorDialog::OnSpectrumSelChange(quint32 colour, int /*control_id*/) {
  Follow(model_.OnSpectrumNotice(
      {SpectrumNotice::Kind::kSelectionChanged, RgbColour::FromPacked(colour)}));
}

void CCustomColorDialog::Follow(ColourDialogAction action) {
  switch (action) {
    case ColourDialogAction::kRepaint:
      UpdateBoxes();
      spectrum_->update();
      update();
      break;
    case ColourDialogAction::kCancel:
      reject();
      break;
    case ColourDialogAction::kNone:
      break;
  }
}

void CCustomColorDialog::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kFallbackBackground);
  PaintOps(painter, model_.Paint(language_), skins_);
}

void CCustomColorDialog::mousePressEvent(QMouseEvent* event) {
  if (!drag_.Press(*event)) {
    QDialog::mousePressEvent(event);
  }
}

void CCustomColorDialog::mouseMoveEvent(QMouseEvent* event) {
  drag_.Move(*event);
}

void CCustomColorDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QDialog::mouseReleaseEvent(event);
    return;
  }
  if (drag_.ReleaseIsClick(*event)) {
    const QPoint at = event->position().toPoint();
    Follow(model_.OnButtonUp(at.x(), at.y()));
  }
}

}  // namespace n240qx
