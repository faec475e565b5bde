#include "gui/CVaveVedozadoDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QWindow>

#include "app/LibraryProfileLoad.h"
#include "app/ProfileLibrary.h"
#include "automation/SwitchStatusText.h"
#include "gui/AppOptions.h"
#include "gui/AutomationBusAdaptor.h"
#include "gui/CConfigureDlg.h"
#include "gui/CKeyMap.h"
#include "gui/CMacroRecordDlg.h"
#include "gui/ColourDialogRunner.h"
#include "gui/FileDialogChooser.h"
#include "gui/PaintOpPainter.h"
#include "gui/QtLauncher.h"
#include "gui/QtText.h"
#include "gui/ToolTipEvent.h"
#include "gui/TrayIcon.h"
#include "gui/WindowMessageBox.h"
#include "gui/XInputKeyHook.h"
#include "window/KeyAssignmentTip.h"
#include "window/MainWindowLayout.h"
#include "window/MainWindowScene.h"
#include "window/PageItemTable.h"
#include "window/SliderPanels.h"

namespace n240qx {

namespace {

// The keyboard's repaint countdown runs on this tick.
constexpr int kRepaintTickMs = 20;
// The tray item "OpenRGB SDK server", remembered between runs.
const QString kOpenRgbSetting = QStringLiteral("OpenRgbServer");
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

CVaveVedozadoDlg::CVaveVedozadoDlg(MainWindowSetup setup)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      state_(setup.state),
      paths_(std::move(setup.paths)),
      language_(setup.language),
      texts_(setup.language),
      skins_(ToQString(paths_.SkinFolder(setup.language))),
      dialogs_(std::move(setup.dialogs)),
      page_(state_.image, shared_colour_, [this] { return AskColour(); }),
      model_(state_.image, state_.snapshot, setup.tray_available, &page_),
      keyboard_view_(state_.image, page_, state_.customised),
      edit_keys_(state_, model_),
      openrgb_port_(setup.openrgb_port),
      automation_timing_(setup.automation_timing) {
  setWindowTitle(ToQString(texts_.Get(TextId::kWindowTitle)));
  setWindowIcon(QIcon(QStringLiteral(":/n240qx/n240qx.png")));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(SkinSize());
  FillDefaultDialogs();
  CreateSliders();
  model_.visibility().SetStartMinimized(setup.start_minimized);
  if (setup.tray_available) {
    CreateTray();
  }
  CreateRequests(std::move(setup.connections), std::move(setup.launcher));
  CreateDesktopServices();
  connection_->on_sequence_ended = [this] {
    desktop_->OnSequenceEnded();
    if (openrgb_) {
      openrgb_->OnSequenceEnded();
    }
    if (bus_) {
      bus_->adaptor().PublishChanges();
    }
    if (automation_) {
      automation_->OnWindowChanged();
    }
  };
  connection_->on_keyboard_presence = [this](bool present) {
    if (openrgb_) {
      openrgb_->OnKeyboardPresence(present);
    }
    if (bus_) {
      emit bus_->adaptor().KeyboardPresence(present);
    }
  };
  outside_->on_profile_applied = [this](const std::string& name) {
    if (bus_) {
      bus_->adaptor().PublishChanges();
      emit bus_->adaptor().ProfileApplied(QString::fromStdString(name));
    }
  };
  outside_->on_launch_key = [this](std::uint8_t code) {
    if (bus_) {
      emit bus_->adaptor().LaunchKeyPressed(
          QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0')));
    }
  };
  CreateRoute();
  repaint_timer_.setInterval(kRepaintTickMs);
  // The tick runs only while a countdown is pending, so that the window costs nothing at rest.
  connect(&repaint_timer_, &QTimer::timeout, this, [this] {
    if (state_.repaint.Tick()) {
      update();
    } else {
      repaint_timer_.stop();
    }
  });
  skins_.OnChanged([this] { update(); });
}

CVaveVedozadoDlg::~CVaveVedozadoDlg() {
  // The session first: nothing it posts may reach a half-destroyed window. The bus object
  // and the desktop's before it: no call reaches requests that are gone.
  desktop_.reset();
  bus_.reset();
  device_->EndCallers();
  connection_.reset();
}

QSize CVaveVedozadoDlg::SkinSize() {
  const QImage& background = skins_.Picture(ToQString(MainWindowLayout::kBackground.file));
  return background.isNull() ? kFallbackSize : background.size();
}

void CVaveVedozadoDlg::CreateRequests(std::unique_ptr<DeviceConnectionFactory> connections,
                                      std::unique_ptr<Launcher> launcher) {
  feedback_ = std::make_unique<WindowFeedback>(texts_, [this] { update(); });
  connection_ = std::make_unique<KeyboardConnection>(
      KeyboardConnection::Setup{state_, paths_, model_, router_, *feedback_,
                                std::move(connections)},
      KeyboardConnection::WindowSide{
          [this] { update(); },
          [this](SliderId id, int position) { slider(id).SetPosition(position); }});
  ending_ = std::make_unique<EndingRequests>(state_, model_, dialogs_);
  device_ = std::make_unique<DeviceRequests>(DeviceRequests::Setup{
      state_, paths_, texts_, model_, dialogs_, router_, *connection_, *feedback_, *ending_});
  store_ = std::make_unique<StoreRequests>(state_, paths_, *feedback_);
  dialog_ = std::make_unique<DialogRequests>(
      DialogRequests::Setup{state_, paths_, texts_, model_, dialogs_, *feedback_});
  outside_ = std::make_unique<OutsideRequests>(OutsideRequests::Setup{
      state_, paths_, texts_, model_, *connection_, *device_, dialog_->key_assignment(), *feedback_,
      [this] { update(); }, launcher ? std::move(launcher) : std::make_unique<QtLauncher>()});
  connection_->on_launch_key = [this](std::uint8_t code) { outside_->OnLaunchKey(code); };
}

void CVaveVedozadoDlg::CreateSliders() {
  for (std::size_t i = 0; i < kSliderPlacements.size(); ++i) {
    const SliderPlacement& placement = kSliderPlacements[i];
    auto* bit_slider = new CBitSlider(placement.id, skins_, this);
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
            [this](SliderId id) { model_.OnSliderNotified(id, slider(id).position()); });
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

void CVaveVedozadoDlg::CreateTray() {
  tray_ = new TrayIcon(windowIcon(), texts_, AutostartEntry::FromEnvironment(), this);
  connect(tray_, &TrayIcon::DoubleClicked, this,
          [this] { router_.Route(model_.visibility().OnTrayDoubleClick()); });
  connect(tray_, &TrayIcon::AboutChosen, this,
          [this] { router_.Route({WindowRequest::kShowAbout}); });
  connect(tray_, &TrayIcon::ExitChosen, this,
          [this] { router_.Route(MainWindowModel::OnTrayExit()); });
  tray_->AddOpenRgbServer(false);
  connect(tray_, &TrayIcon::OpenRgbServerToggled, this, [this](bool on) {
    OnOpenRgbServerToggled(on);
    // Remembered only when chosen in the menu; the command line is for this run alone.
    QSettings().setValue(kOpenRgbSetting, openrgb_ != nullptr);
  });
}

void CVaveVedozadoDlg::CreateDesktopServices() {
  desktop_ = std::make_unique<DesktopServices>(
      DesktopServices::Window{*device_, *outside_, *feedback_, state_, paths_, texts_,
                              [this] { return busy(); },
                              [this](const QString& message) {
                                update();
                                if (tray_ != nullptr) {
                                  tray_->ShowNoKeyboardBalloon(message);
                                }
                              }},
      nullptr);
  outside_->toggle_lights = [this] { ToggleLights(); };
  if (tray_ != nullptr) {
    desktop_->AddTrayItems(*tray_);
  }
}

void CVaveVedozadoDlg::WatchDesktop(QDBusConnection session, QDBusConnection system) {
  desktop_->Watch(std::move(session), std::move(system));
}

void CVaveVedozadoDlg::FillDefaultDialogs() {
  if (!dialogs_.confirm) {
    dialogs_.confirm = [this](const ConfirmPrompt& prompt) {
      return WindowMessageBox::Ask(this, language_, ToQString(prompt.title),
                                   ToQString(prompt.question));
    };
  }
  if (!dialogs_.close_question) {
    dialogs_.close_question = [this] { return AskBeforeClosing(); };
  }
  if (!dialogs_.key_assignment) {
    dialogs_.key_assignment = [this](PendingAssignment& pending) {
      KeyMapSetup setup{pending,          state_.key_actions, state_.image, state_.stored_macros,
                        state_.key_names, skins_.folder(),    language_,    {}};
      CKeyMap dialog(std::move(setup), this);
      return dialog.Run();
    };
  }
  if (!dialogs_.macros) {
    dialogs_.macros = [this] {
      CMacroRecordDlg dialog(
          state_, skins_, language_,
          [](KeyHook::Sink sink) { return std::make_unique<XInputKeyHook>(std::move(sink)); },
          this);
      return dialog.Run(state_.stores.Held(paths_.MacroFile()));
    };
  }
  if (!dialogs_.colour) {
    dialogs_.colour = [this](RgbColour& colour) {
      return RunColourDialog(this, colour, skins_, language_);
    };
  }
  if (!dialogs_.profiles) {
    dialogs_.profiles = [this] {
      FileDialogChooser chooser;
      return CConfigureDlg(state_, paths_, chooser, language_, this).Run();
    };
  }
  if (!dialogs_.about) {
    dialogs_.about = [this](const AboutBox& about) {
      WindowMessageBox::About(this, language_, QString::fromStdString(about.title),
                              QString::fromStdString(about.text));
    };
  }
  if (!dialogs_.start_updater) {
    dialogs_.start_updater = [this](const QString& program) {
      return QProcess::startDetached(program, QStringList(), ToQString(paths_.share_folder()));
    };
  }
}

bool CVaveVedozadoDlg::AskColour() {
  RgbColour colour = RgbColour::FromPacked(shared_colour_);
  if (!dialogs_.colour(colour)) {
    return false;
  }
  shared_colour_ = colour.Packed();
  return true;
}

void CVaveVedozadoDlg::Start() {
  SetSlidersFromImage();
  connection_->Start();
  StartAutomation();
  const QSettings settings;
  if (openrgb_port_ || settings.value(kOpenRgbSetting).toBool()) {
    OnOpenRgbServerToggled(true);
  }
}

void CVaveVedozadoDlg::StartAutomation() {
  AutomationRunner::Window window{
      [this] {
        // Every dialog of the window is modal.
        return WindowActivity{busy(), ChangeSummary::Compare(state_).Any(),
                              QApplication::activeModalWidget() != nullptr};
      },
      [this](const std::string& profile, AutomationRunner::WriteDone done) {
        device_->WriteWithoutBackup(
            [this, profile](ConfiguratorState& state) {
              return LoadLibraryProfile(state, ProfileLibrary(paths_.LibraryFolder()), profile);
            },
            std::move(done));
      },
      [this] { OnRuleStatusChanged(); }, [this] { ListRulesInTray(); },
      [this](std::string text) { feedback_->FailedText(std::move(text)); }};
  automation_ = std::make_unique<AutomationRunner>(
      AutomationRunner::Setup{paths_.RulesFile(), "/proc", automation_timing_}, texts_,
      std::move(window));
  automation_->on_rule_applied_profile = [this](const std::string& profile) {
    outside_->NoteProfileApplied(profile);
    if (desktop_) {
      desktop_->notifier().ProfileApplied(profile, automation_->status());
    }
  };
  automation_->Start();
  ListRulesInTray();
  auto watch = std::make_unique<X11ActiveWindowWatch>(
      [this](ActiveWindow active) { automation_->OnActiveWindow(std::move(active)); });
  // Elsewhere the session bus's ReportActiveWindow is the source.
  if (watch->Start()) {
    active_window_watch_ = std::move(watch);
  }
}

void CVaveVedozadoDlg::ListRulesInTray() {
  if (tray_ != nullptr) {
    tray_->SetRules(SwitchStatusText::Lines(automation_->rules(), texts_));
  }
}

void CVaveVedozadoDlg::OnRuleStatusChanged() {
  update();
  if (tray_ != nullptr) {
    const std::string title(texts_.Get(TextId::kWindowTitle));
    const std::string& status = automation_->status();
    tray_->SetToolTip(ToQString(status.empty() ? title : title + "\n" + status));
  }
}

void CVaveVedozadoDlg::OnOpenRgbServerToggled(bool on) {
  const quint16 port = openrgb_port_.value_or(kDefaultOpenRgbPort);
  if (!on) {
    StopOpenRgbServer();
  } else if (Status started = StartOpenRgbServer(port); !started.ok()) {
    feedback_->FailedText(started.error().message);
    update();
  }
  if (tray_ != nullptr) {
    tray_->SetOpenRgbServerChecked(openrgb_ != nullptr);
  }
}

Status CVaveVedozadoDlg::StartOpenRgbServer(quint16 port) {
  OpenRgbServer::Window window{
      [this] {
        const auto& firmware = state_.firmware;
        return SdkKeyboardView{
            true, state_.image,
            firmware ? std::to_string(firmware->major) + "." + std::to_string(firmware->minor)
                     : std::string(),
            connection_->simulated() ? "simulator" : "USB 04d9:a124"};
      },
      [this]() -> const ImageBlock& { return state_.snapshot; },
      [this] { return !model_.state().EditingLocked(); },
      [this](const SdkLightingFrame& frame) {
        device_->WriteOutsideLighting([&frame](ConfigImage& image) { frame.CopyInto(image); });
      }};
  auto server = std::make_unique<OpenRgbServer>(std::move(window), SdkServerSettings{});
  if (Status listening = server->Listen(port); !listening.ok()) {
    return listening;
  }
  openrgb_ = std::move(server);
  return Status::Ok();
}

void CVaveVedozadoDlg::StopOpenRgbServer() {
  openrgb_.reset();
}

Status CVaveVedozadoDlg::StartBusService(QDBusConnection bus) {
  auto service = std::make_unique<KeyboardBusService>(outside_->BusWindow(), std::move(bus));
  // The second interface on the same object: what a compositor script reports.
  new AutomationBusAdaptor(
      [this](ActiveWindow window) {
        if (automation_) {
          automation_->OnActiveWindow(std::move(window));
        }
      },
      &service->adaptor());
  if (Status registered = service->Register(); !registered.ok()) {
    return registered;
  }
  bus_ = std::move(service);
  return Status::Ok();
}

void CVaveVedozadoDlg::ShowFromOutside() {
  router_.Route({WindowRequest::kShowWindow});
}

void CVaveVedozadoDlg::CreateRoute() {
  using FollowUps = std::vector<WindowRequest>;
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return ending_->Carry(request, follow_ups);
  });
  router_.AddHandler(
      [this](WindowRequest request, FollowUps&) { return CarryWindowRequest(request); });
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return device_->Carry(request, follow_ups);
  });
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return store_->Carry(request, follow_ups);
  });
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return dialog_->Carry(request, follow_ups);
  });
  router_.SetBeforeEachStep([this] { SyncControls(); });
  // The swatch frame is stored as shown once an input is done, before anything reads the image
  // again (Apply, keymap.bin); painting itself changes nothing.
  router_.SetAfterRoute([this] {
    page_.SettleColourChoice();
    SyncControls();
    if (bus_) {
      bus_->adaptor().PublishChanges();
    }
    if (automation_) {
      automation_->OnWindowChanged();
    }
  });
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
      if (tray_ != nullptr) {
        tray_->ShowNoKeyboardBalloon(QString::fromStdString(feedback_->balloon()));
      }
      return true;
    case WindowRequest::kStartWindowMove:
      StartWindowMove(QCursor::pos());
      return true;
    case WindowRequest::kSetSlidersFromImage:
      SetSlidersFromImage();
      return true;
    case WindowRequest::kShowAbout:
      dialogs_.about(AboutBox::For(texts_, state_.firmware));
      return true;
    case WindowRequest::kStartRepaintCountdown:
      if (state_.repaint.repaint_pending() && !repaint_timer_.isActive()) {
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
  const bool shown = model_.SliderWindowsShown();
  const bool enabled = model_.SlidersEnabled();
  for (CBitSlider* bit_slider : sliders_) {
    const bool speed = bit_slider->id() == SliderId::kSpeed;
    bit_slider->setVisible(speed ? page_.SpeedSliderVisible() : shown);
    bit_slider->setEnabled(enabled);
  }
  const QString title = ToQString(texts_.Get(TextId::kWindowTitle));
  if (busy()) {
    setCursor(Qt::WaitCursor);
    // The task bar shows it too, and scripts driving the window can wait for it to go.
    setWindowTitle(title + QStringLiteral(" \u2013 ") + ToQString(texts_.Get(TextId::kDeviceBusy)));
  } else {
    unsetCursor();
    setWindowTitle(title);
  }
}

void CVaveVedozadoDlg::SetSlidersFromImage() {
  slider(SliderId::kBrightness).SetPosition(page_.BrightnessSliderPosition());
  slider(SliderId::kSpeed).SetPosition(page_.SpeedSliderPosition());
  for (const SliderId id : {SliderId::kReportRate, SliderId::kResponseTime}) {
    slider(id).SetPosition(SliderPanels::PositionFromImage(id, state_.image));
    // Settled at once, not at the next paint: a field out of the slider's range becomes the
    // position shown.
    model_.slider_panels().CopyPosition(id, slider(id).position(), state_.image);
  }
}

void CVaveVedozadoDlg::paintEvent(QPaintEvent* /*event*/) {
  const MainWindowSceneInput input{state_.image,
                                   page_,
                                   keyboard_view_,
                                   model_.state(),
                                   texts_,
                                   connection_->simulated(),
                                   model_.visibility().ShowsNoKeyboardNotice(),
                                   connection_->progress(),
                                   feedback_->failure(),
                                   ChangeSummary::Compare(state_),
                                   feedback_->success(),
                                   automation_ ? automation_->status() : std::string()};
  QPainter painter(this);
  painter.fillRect(rect(), kTextBackground);
  PaintOps(painter, MainWindowScene::Paint(input), skins_);
  ++paint_count_;
  emit Painted();
}

void CVaveVedozadoDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  const QPoint at = PointOf(event);
  router_.Route(model_.OnButtonDown(at.x(), at.y()).requests);
  keyboard_view_.OnButtonDown(at.x(), at.y());
}

void CVaveVedozadoDlg::mouseMoveEvent(QMouseEvent* event) {
  if (manual_drag_offset_) {
    move(event->globalPosition().toPoint() - *manual_drag_offset_);
    return;
  }
  if (!(event->buttons() & Qt::LeftButton)) {
    keyboard_view_.OnButtonFoundUp();
  }
  const QPoint at = PointOf(event);
  const ClickResult result = model_.OnMouseMove(at.x(), at.y());
  router_.Route(result.requests);
  if (result.route != ClickRoute::kKeyboardView) {
    return;
  }
  if (keyboard_view_.band_active()) {
    if (keyboard_view_.OnBandMove(at.x(), at.y())) {
      update();
    }
    return;
  }
  OnHover(at);
}

void CVaveVedozadoDlg::OnHover(const QPoint& at) {
  const bool item_under_pointer =
      PageItemTable::HitTest(at.x(), at.y(), state_.image.light_effect()).has_value();
  const bool row_hovered = page_.hovered_row() != LightingPage::kNoRow;
  if (keyboard_view_.OnHover(at.x(), at.y(), item_under_pointer, row_hovered)) {
    update();
  }
}

void CVaveVedozadoDlg::mouseReleaseEvent(QMouseEvent* event) {
  // A slider's release reaches this window too: sliders take no release themselves.
  HandleRelease(event);
  RecordEdits();
}

void CVaveVedozadoDlg::HandleRelease(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  if (manual_drag_offset_) {
    manual_drag_offset_.reset();
    return;
  }
  keyboard_view_.FollowCtrl(event->modifiers().testFlag(Qt::ControlModifier));
  const QPoint at = PointOf(event);
  const ClickResult result = model_.OnButtonUp(at.x(), at.y());
  router_.Route(keyboard_view_.OnRelease(result, at.x(), at.y(), state_.pending));
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
    keyboard_view_.OnCtrlDown();
  }
  StepEdits(event);
  // Enter, Esc and F1 (and every other key) stop here: nothing closes the window by key.
  event->accept();
}

void CVaveVedozadoDlg::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Control && !event->isAutoRepeat()) {
    keyboard_view_.OnCtrlUp();
  }
  // A focused slider's arrow keys end here, as its mouse input ends in the release.
  RecordEdits();
  event->accept();
}

void CVaveVedozadoDlg::StepEdits(const QKeyEvent* event) {
  edit_keys_.OnKey(ChordOf(event), [this](std::vector<WindowRequest> requests) {
    router_.Route(std::move(requests));
  });
}

void CVaveVedozadoDlg::RecordEdits() {
  edit_keys_.Record();
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
  router_.Route(MainWindowModel::OnTrayExit());
}

bool CVaveVedozadoDlg::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QWidget::event(event);
  }
  auto& help = static_cast<QHelpEvent&>(*event);
  const std::optional<std::size_t> key = keyboard_view_.TipKeyAt(help.x(), help.y());
  const KeyAssignmentTip::Sources sources{state_.image, state_.key_actions, state_.key_names,
                                          state_.stored_macros};
  AnswerToolTip(*this, help,
                key ? ToQString(KeyAssignmentTip::For(*key, sources, language_)) : QString());
  return true;
}

CloseAnswer CVaveVedozadoDlg::AskBeforeClosing() {
  QMessageBox box(QMessageBox::Question, ToQString(texts_.Get(TextId::kWindowTitle)),
                  ToQString(texts_.Get(TextId::kCloseQuestion)), QMessageBox::NoButton, this);
  // Named in the window's language: Qt's own button texts would stay English.
  QPushButton* apply =
      box.addButton(ToQString(texts_.Get(TextId::kCloseApply)), QMessageBox::AcceptRole);
  QPushButton* discard =
      box.addButton(ToQString(texts_.Get(TextId::kCloseDiscard)), QMessageBox::DestructiveRole);
  QPushButton* cancel =
      box.addButton(ToQString(texts_.Get(TextId::kCloseCancel)), QMessageBox::RejectRole);
  box.setDefaultButton(apply);
  box.setEscapeButton(cancel);
  WindowMessageBox::Darken(box);
  box.exec();
  if (box.clickedButton() == apply) {
    return CloseAnswer::kApply;
  }
  return box.clickedButton() == discard ? CloseAnswer::kDiscard : CloseAnswer::kCancel;
}

}  // namespace n240qx
