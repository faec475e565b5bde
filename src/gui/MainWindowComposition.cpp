#include "gui/MainWindowComposition.h"

#include <QApplication>
#include <QSettings>
#include <utility>

#include "app/ChangeSummary.h"
#include "app/LibraryProfileLoad.h"
#include "app/ProfileLibrary.h"
#include "automation/SwitchStatusText.h"
#include "device/FirmwareVersionText.h"
#include "gui/AppOptions.h"
#include "gui/AutomationBusAdaptor.h"
#include "gui/DefaultDialogs.h"
#include "gui/QtLauncher.h"
#include "gui/QtText.h"
#include "gui/TrayIcon.h"

namespace n240qx {

namespace {

// The tray item "OpenRGB SDK server", remembered between runs.
const QString kOpenRgbSetting = QStringLiteral("OpenRgbServer");

}  // namespace

MainWindowComposition::MainWindowComposition(MainWindowSetup setup)
    : state_(setup.state),
      paths_(std::move(setup.paths)),
      texts_(setup.language),
      skins_(ToQString(paths_.SkinFolder(setup.language))),
      dialogs_(std::move(setup.dialogs)),
      page_(state_.ImageForEditing(), shared_colour_, [this] { return AskColour(); }),
      model_(state_.ImageForEditing(), state_.snapshot(), setup.tray_available, &page_),
      keyboard_view_(state_.ImageForEditing(), page_, state_.customised()),
      edit_keys_(state_, model_),
      feedback_(texts_, [this] { window_->update(); }),
      openrgb_port_(setup.openrgb_port),
      automation_timing_(setup.automation_timing),
      connection_(std::make_unique<KeyboardConnection>(
          KeyboardConnection::Setup{state_, paths_, model_, router_, feedback_,
                                    std::move(setup.connections)},
          KeyboardConnection::WindowSide{
              [this] { window_->update(); },
              [this](SliderId id, int position) { window_->slider(id).SetPosition(position); }})),
      ending_(state_, model_, dialogs_),
      device_(DeviceRequests::Setup{state_, paths_, texts_, model_, dialogs_, router_, *connection_,
                                    feedback_, ending_}),
      store_(state_, paths_, feedback_),
      dialog_(DialogRequests::Setup{state_, paths_, texts_, model_, dialogs_, feedback_}),
      outside_(OutsideRequests::Setup{
          state_, paths_, texts_, model_, *connection_, device_, dialog_.key_assignment(),
          feedback_, [this] { window_->update(); },
          setup.launcher ? std::move(setup.launcher) : std::make_unique<QtLauncher>()}),
      window_(CreateWindow()) {
  DefaultDialogs::Fill(dialogs_, *window_, {state_, paths_, skins_, texts_.language()});
  model_.visibility().SetStartMinimized(setup.start_minimized);
  if (setup.tray_available) {
    CreateTray();
  }
  CreateDesktopServices();
  WireListeners();
  CreateRoute();
}

MainWindowComposition::~MainWindowComposition() {
  // The session first: nothing it posts may reach a half-destroyed window. The bus object
  // and the desktop's before it: no call reaches requests that are gone.
  desktop_.reset();
  bus_.reset();
  device_.EndCallers();
  connection_.reset();
}

std::unique_ptr<CVaveVedozadoDlg> MainWindowComposition::CreateWindow() {
  return std::make_unique<CVaveVedozadoDlg>(MainWindowParts{
      state_, texts_, skins_, dialogs_, page_, model_, keyboard_view_, edit_keys_, router_,
      feedback_, *connection_,
      [this] { return automation_ ? automation_->status() : std::string(); },
      [this] { ShowNoKeyboardBalloon(QString::fromStdString(feedback_.balloon())); }});
}

bool MainWindowComposition::AskColour() {
  RgbColour colour = RgbColour::FromPacked(shared_colour_);
  if (!dialogs_.colour(colour)) {
    return false;
  }
  shared_colour_ = colour.Packed();
  return true;
}

void MainWindowComposition::ShowNoKeyboardBalloon(const QString& message) {
  if (tray_ != nullptr) {
    tray_->ShowNoKeyboardBalloon(message);
  }
}

void MainWindowComposition::WireListeners() {
  connection_->on_launch_key = [this](std::uint8_t code) { outside_.OnLaunchKey(code); };
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
  outside_.on_profile_applied = [this](const std::string& name,
                                       OutsideRequests::ChosenBy chosen_by) {
    if (bus_) {
      bus_->adaptor().PublishChanges();
      emit bus_->adaptor().ProfileApplied(QString::fromStdString(name));
    }
    OnProfileApplied(name, chosen_by);
  };
  outside_.on_launch_key = [this](std::uint8_t code) {
    if (bus_) {
      emit bus_->adaptor().LaunchKeyPressed(
          QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0')));
    }
  };
}

void MainWindowComposition::CreateRoute() {
  using FollowUps = std::vector<WindowRequest>;
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return ending_.Carry(request, follow_ups);
  });
  router_.AddHandler(
      [this](WindowRequest request, FollowUps&) { return window_->CarryWindowRequest(request); });
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return device_.Carry(request, follow_ups);
  });
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return store_.Carry(request, follow_ups);
  });
  router_.AddHandler([this](WindowRequest request, FollowUps& follow_ups) {
    return dialog_.Carry(request, follow_ups);
  });
  router_.SetBeforeEachStep([this] { window_->SyncControls(); });
  // The swatch frame is stored as shown once an input is done, before anything reads the image
  // again (Apply, keymap.bin); painting itself changes nothing.
  router_.SetAfterRoute([this] {
    page_.SettleColourChoice();
    window_->SyncControls();
    if (bus_) {
      bus_->adaptor().PublishChanges();
    }
    if (automation_) {
      automation_->OnWindowChanged();
    }
  });
}

void MainWindowComposition::CreateTray() {
  tray_ =
      new TrayIcon(window_->windowIcon(), texts_, AutostartEntry::FromEnvironment(), window_.get());
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

void MainWindowComposition::CreateDesktopServices() {
  desktop_ = std::make_unique<DesktopServices>(
      DesktopServices::Window{device_, outside_, feedback_, state_, paths_, texts_,
                              [this] { return Busy(); },
                              [this](const QString& message) {
                                window_->update();
                                ShowNoKeyboardBalloon(message);
                              }},
      nullptr);
  outside_.toggle_lights = [this] { ToggleLights(); };
  if (tray_ != nullptr) {
    desktop_->AddTrayItems(*tray_);
  }
}

void MainWindowComposition::WatchDesktop(QDBusConnection session, QDBusConnection system) {
  desktop_->Watch(std::move(session), std::move(system));
}

void MainWindowComposition::Start() {
  window_->SetSlidersFromImage();
  connection_->Start();
  StartAutomation();
  const QSettings settings;
  if (openrgb_port_ || settings.value(kOpenRgbSetting).toBool()) {
    OnOpenRgbServerToggled(true);
  }
}

void MainWindowComposition::StartAutomation() {
  AutomationRunner::Window window{
      [this] {
        // Every dialog of the window is modal.
        return WindowActivity{Busy(), ChangeSummary::Compare(state_).Any(),
                              QApplication::activeModalWidget() != nullptr};
      },
      [this](const std::string& profile, AutomationRunner::WriteDone done) {
        device_.WriteWithoutBackup(
            [this, profile](ConfiguratorState& state) {
              return LoadLibraryProfile(state, ProfileLibrary(paths_.LibraryFolder()), profile,
                                        texts_.language());
            },
            std::move(done));
      },
      [this] { OnRuleStatusChanged(); }, [this] { ListRulesInTray(); },
      [this](std::string text) { feedback_.FailedText(std::move(text)); }};
  automation_ = std::make_unique<AutomationRunner>(
      AutomationRunner::Setup{paths_.RulesFile(), "/proc", automation_timing_}, texts_,
      std::move(window));
  automation_->on_rule_applied_profile = [this](const std::string& profile) {
    outside_.NoteProfileApplied(profile, OutsideRequests::ChosenBy::kRule);
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

void MainWindowComposition::OnProfileApplied(const std::string& name,
                                             OutsideRequests::ChosenBy chosen_by) {
  // A choice of the user's stands against the rules until what they pick changes.
  if (automation_ && chosen_by != OutsideRequests::ChosenBy::kRule) {
    automation_->OnProfileChosen(name);
  }
  // The tray and the rules tell their own, with why.
  if (desktop_ && chosen_by == OutsideRequests::ChosenBy::kProfileKey) {
    desktop_->notifier().ProfileApplied(name, std::string(texts_.Get(TextId::kChosenByProfileKey)));
  }
}

void MainWindowComposition::ListRulesInTray() {
  if (tray_ != nullptr) {
    tray_->SetRules(SwitchStatusText::Lines(automation_->rules(), texts_));
  }
}

void MainWindowComposition::OnRuleStatusChanged() {
  window_->update();
  if (tray_ != nullptr) {
    const std::string title(texts_.Get(TextId::kWindowTitle));
    const std::string& status = automation_->status();
    tray_->SetToolTip(ToQString(status.empty() ? title : title + "\n" + status));
  }
}

void MainWindowComposition::OnOpenRgbServerToggled(bool on) {
  const quint16 port = openrgb_port_.value_or(kDefaultOpenRgbPort);
  if (!on) {
    StopOpenRgbServer();
  } else if (Status started = StartOpenRgbServer(port); !started.ok()) {
    feedback_.FailedText(started.error().message);
    window_->update();
  }
  if (tray_ != nullptr) {
    tray_->SetOpenRgbServerChecked(openrgb_ != nullptr);
  }
}

Status MainWindowComposition::StartOpenRgbServer(quint16 port) {
  OpenRgbServer::Window window{
      [this] {
        const auto& firmware = state_.firmware();
        return SdkKeyboardView{true, state_.image(), FirmwareVersionText(firmware),
                               connection_->simulated() ? "simulator" : "USB 04d9:a124"};
      },
      [this]() -> const ImageBlock& { return state_.snapshot(); },
      [this] { return !model_.state().EditingLocked(); },
      [this](const SdkLightingFrame& frame) {
        device_.WriteOutsideLighting([frame](ConfigImage& image) { frame.CopyInto(image); });
      }};
  auto server = std::make_unique<OpenRgbServer>(std::move(window), SdkServerSettings{});
  if (Status listening = server->Listen(port); !listening.ok()) {
    return listening;
  }
  openrgb_ = std::move(server);
  return Status::Ok();
}

void MainWindowComposition::StopOpenRgbServer() {
  openrgb_.reset();
}

Status MainWindowComposition::StartBusService(QDBusConnection bus) {
  auto service = std::make_unique<KeyboardBusService>(outside_.BusWindow(), std::move(bus));
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

void MainWindowComposition::ShowFromOutside() {
  router_.Route({WindowRequest::kShowWindow});
}

}  // namespace n240qx
