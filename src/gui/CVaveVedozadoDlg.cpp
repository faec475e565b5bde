#include "gui/CVaveVedozadoDlg.h"

#include <QCloseEvent>
#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/ChangeSummary.h"
#include "gui/PaintOpPainter.h"
#include "gui/QtText.h"
#include "gui/ToolTipEvent.h"
#include "window/KeyAssignmentTip.h"
#include "window/MainWindowLayout.h"
#include "window/MainWindowScene.h"
#include "window/PageItemTable.h"
#include "window/SliderPanels.h"

namespace n240qx {

namespace {

// The keyboard's repaint countdown runs on this tick.
constexpr int kRepaintTickMs = 20;
// Used only when "main.png" is missing, so that the window can still be seen and closed.
constexpr QSize kFallbackSize(1000, 640);
const QColor kTextBackground(0x35, 0x35, 0x35);

QPoint PointOf(const QMouseEvent* event) {
  return event->position().toPoint();
}

KeyChord ChordOf(const QKeyEvent* event) {
  const Qt::KeyboardModifiers held = event->modifiers();
  return KeyChord{event->key(), held.testFlag(Qt::ControlModifier),
                  held.testFlag(Qt::ShiftModifier),
                  (held & ~(Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier)) != 0};
}

}  // namespace

CVaveVedozadoDlg::CVaveVedozadoDlg(MainWindowParts parts)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), parts_(std::move(parts)) {
  setWindowTitle(ToQString(parts_.texts.Get(TextId::kWindowTitle)));
  setWindowIcon(QIcon(QStringLiteral(":/n240qx/n240qx.png")));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(SkinSize());
  CreateSliders();
  repaint_timer_.setInterval(kRepaintTickMs);
  // The tick runs only while a countdown is pending, so that the window costs nothing at rest.
  connect(&repaint_timer_, &QTimer::timeout, this, [this] {
    if (parts_.state.TickRepaint()) {
      update();
    } else {
      repaint_timer_.stop();
    }
  });
  parts_.skins.OnChanged([this] { update(); });
}

CVaveVedozadoDlg::~CVaveVedozadoDlg() = default;

QSize CVaveVedozadoDlg::SkinSize() {
  const QImage& background = parts_.skins.Picture(ToQString(MainWindowLayout::kBackground.file));
  return background.isNull() ? kFallbackSize : background.size();
}

void CVaveVedozadoDlg::CreateSliders() {
  for (std::size_t i = 0; i < kSliderPlacements.size(); ++i) {
    const SliderPlacement& placement = kSliderPlacements[i];
    auto* bit_slider = new CBitSlider(placement.id, parts_.skins, this);
    bit_slider->move(placement.x, placement.y);
    sliders_[i] = bit_slider;
  }
  // Until the first read, as the keyboard's own tools started them; the image is not told:
  // it already holds what the files brought.
  slider(SliderId::kBrightness).SetPosition(1);
  slider(SliderId::kResponseTime).SetPosition(1);
  slider(SliderId::kReportRate).SetPosition(1);
  for (CBitSlider* bit_slider : sliders_) {
    connect(bit_slider, &CBitSlider::PositionMayHaveChanged, this,
            [this](SliderId id) { parts_.model.OnSliderNotified(id, slider(id).position()); });
  }
}

CBitSlider& CVaveVedozadoDlg::slider(SliderId id) {
  for (CBitSlider* bit_slider : sliders_) {
    if (bit_slider->id() == id) {
      return *bit_slider;
    }
  }
  return *sliders_.front();
}

bool CVaveVedozadoDlg::CarryWindowRequest(WindowRequest request) {
  switch (request) {
    case WindowRequest::kRepaint:
      update();
      return true;
    case WindowRequest::kHideWindow:
      hide();
      return true;
    case WindowRequest::kMinimiseWindow:
      showMinimized();
      return true;
    case WindowRequest::kShowWindow:
      // The title and cursor say whether the keyboard is busy from the first moment on.
      SyncControls();
      showNormal();
      raise();
      activateWindow();
      return true;
    case WindowRequest::kShowNoKeyboardBalloon:
      parts_.show_no_keyboard_balloon();
      return true;
    case WindowRequest::kStartWindowMove:
      StartWindowMove(QCursor::pos());
      return true;
    case WindowRequest::kSetSlidersFromImage:
      SetSlidersFromImage();
      return true;
    case WindowRequest::kShowAbout:
      parts_.dialogs.about(AboutBox::For(parts_.texts, parts_.state.firmware()));
      return true;
    case WindowRequest::kStartRepaintCountdown:
      if (parts_.state.repaint().repaint_pending() && !repaint_timer_.isActive()) {
        repaint_timer_.start();
      }
      return true;
    case WindowRequest::kEndProgram:
      emit EndRequested();
      return true;
    default:
      return false;
  }
}

void CVaveVedozadoDlg::SyncControls() {
  const bool shown = parts_.model.SliderWindowsShown();
  const bool enabled = parts_.model.SlidersEnabled();
  for (CBitSlider* bit_slider : sliders_) {
    const bool speed = bit_slider->id() == SliderId::kSpeed;
    bit_slider->setVisible(speed ? parts_.page.SpeedSliderVisible() : shown);
    bit_slider->setEnabled(enabled);
  }
  const QString title = ToQString(parts_.texts.Get(TextId::kWindowTitle));
  if (busy()) {
    setCursor(Qt::WaitCursor);
    // The task bar shows it too, and scripts driving the window can wait for it to go.
    setWindowTitle(title + QStringLiteral(" \u2013 ") +
                   ToQString(parts_.texts.Get(TextId::kDeviceBusy)));
  } else {
    unsetCursor();
    setWindowTitle(title);
  }
}

void CVaveVedozadoDlg::SetSlidersFromImage() {
  slider(SliderId::kBrightness).SetPosition(parts_.page.BrightnessSliderPosition());
  slider(SliderId::kSpeed).SetPosition(parts_.page.SpeedSliderPosition());
  for (const SliderId id : {SliderId::kReportRate, SliderId::kResponseTime}) {
    slider(id).SetPosition(SliderPanels::PositionFromImage(id, parts_.state.image()));
    // Settled at once, not at the next paint: a field out of the slider's range becomes the
    // position shown.
    parts_.model.slider_panels().CopyPosition(id, slider(id).position(),
                                              parts_.state.ImageForEditing());
  }
}

void CVaveVedozadoDlg::paintEvent(QPaintEvent* /*event*/) {
  const MainWindowSceneInput input{parts_.state.image(),
                                   parts_.page,
                                   parts_.keyboard_view,
                                   parts_.model.state(),
                                   parts_.texts,
                                   parts_.connection.simulated(),
                                   parts_.model.visibility().ShowsNoKeyboardNotice(),
                                   parts_.connection.progress(),
                                   parts_.feedback.failure(),
                                   ChangeSummary::Compare(parts_.state),
                                   parts_.feedback.success(),
                                   parts_.rule_status()};
  QPainter painter(this);
  painter.fillRect(rect(), kTextBackground);
  PaintOps(painter, MainWindowScene::Paint(input), parts_.skins);
  ++paint_count_;
  emit Painted();
}

void CVaveVedozadoDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  const QPoint at = PointOf(event);
  parts_.router.Route(parts_.model.OnButtonDown(at.x(), at.y()).requests);
  parts_.keyboard_view.OnButtonDown(at.x(), at.y());
}

void CVaveVedozadoDlg::mouseMoveEvent(QMouseEvent* event) {
  if (manual_drag_offset_) {
    move(event->globalPosition().toPoint() - *manual_drag_offset_);
    return;
  }
  if (!(event->buttons() & Qt::LeftButton)) {
    parts_.keyboard_view.OnButtonFoundUp();
  }
  const QPoint at = PointOf(event);
  const ClickResult result = parts_.model.OnMouseMove(at.x(), at.y());
  parts_.router.Route(result.requests);
  if (result.route != ClickRoute::kKeyboardView) {
    return;
  }
  if (parts_.keyboard_view.band_active()) {
    if (parts_.keyboard_view.OnBandMove(at.x(), at.y())) {
      update();
    }
    return;
  }
  OnHover(at);
}

void CVaveVedozadoDlg::OnHover(const QPoint& at) {
  const bool item_under_pointer =
      PageItemTable::HitTest(at.x(), at.y(), parts_.state.image().light_effect()).has_value();
  const bool row_hovered = parts_.page.hovered_row() != LightingPage::kNoRow;
  if (parts_.keyboard_view.OnHover(at.x(), at.y(), item_under_pointer, row_hovered)) {
    update();
  }
}

void CVaveVedozadoDlg::mouseReleaseEvent(QMouseEvent* event) {
  // A slider's release reaches this window too: sliders take no release themselves.
  HandleRelease(event);
  parts_.edit_keys.Record();
}

void CVaveVedozadoDlg::HandleRelease(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  if (manual_drag_offset_) {
    manual_drag_offset_.reset();
    return;
  }
  parts_.keyboard_view.FollowCtrl(event->modifiers().testFlag(Qt::ControlModifier));
  const QPoint at = PointOf(event);
  const ClickResult result = parts_.model.OnButtonUp(at.x(), at.y());
  parts_.router.Route(
      parts_.keyboard_view.OnRelease(result, at.x(), at.y(), parts_.state.PendingForEditing()));
}

void CVaveVedozadoDlg::StartWindowMove(const QPoint& global) {
  QWindow* window = windowHandle();
  if (window != nullptr && window->startSystemMove()) {
    return;
  }
  manual_drag_offset_ = global - pos();
}

void CVaveVedozadoDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control && !event->isAutoRepeat()) {
    parts_.keyboard_view.OnCtrlDown();
  }
  StepEdits(event);
  // Enter, Esc and F1 (and every other key) stop here: nothing closes the window by key.
  event->accept();
}

void CVaveVedozadoDlg::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control && !event->isAutoRepeat()) {
    parts_.keyboard_view.OnCtrlUp();
  }
  // A focused slider's arrow keys end here, as its mouse input ends in the release.
  parts_.edit_keys.Record();
  event->accept();
}

void CVaveVedozadoDlg::StepEdits(const QKeyEvent* event) {
  parts_.edit_keys.OnKey(ChordOf(event), [this](std::vector<WindowRequest> requests) {
    parts_.router.Route(std::move(requests));
  });
}

void CVaveVedozadoDlg::closeEvent(QCloseEvent* event) {
  // A close the program or the session asks for (quitting, logging out) ends without a
  // question, as it always did.
  if (!event->spontaneous()) {
    event->accept();
    return;
  }
  // Closed by the window system rather than the close button: end as the tray's Exit does,
  // which asks first when edits are unapplied; the window stays until the program ends.
  event->ignore();
  parts_.router.Route(MainWindowModel::OnTrayExit());
}

bool CVaveVedozadoDlg::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QWidget::event(event);
  }
  auto& help = static_cast<QHelpEvent&>(*event);
  const std::optional<std::size_t> key = parts_.keyboard_view.TipKeyAt(help.x(), help.y());
  const KeyAssignmentTip::Sources sources{parts_.state.image(), parts_.state.key_actions(),
                                          parts_.state.key_names(), parts_.state.stored_macros()};
  AnswerToolTip(
      *this, help,
      key ? ToQString(KeyAssignmentTip::For(*key, sources, parts_.texts.language())) : QString());
  return true;
}

}  // namespace n240qx
