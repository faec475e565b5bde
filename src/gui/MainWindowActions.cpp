#include "gui/MainWindowActions.h"

#include <QString>
#include <QTimer>

#include "app/BackupBeforeWrite.h"
#include "app/FactoryResetFlow.h"
#include "app/FailureText.h"
#include "app/UdevRuleHelp.h"
#include "gui/QtText.h"

namespace n240qx {

namespace {

// How long a keyboard plugged in during a sequence on the simulator waits for it to end.
constexpr int kSwitchRetryMs = 50;

}  // namespace

MainWindowActions::MainWindowActions(Setup setup, WindowSide window)
    : state_(setup.state),
      paths_(setup.paths),
      texts_(setup.texts),
      model_(setup.model),
      dialogs_(setup.dialogs),
      window_(std::move(window)),
      launcher_(std::move(setup.launcher)),
      key_assignment_(state_.image, state_.key_actions, state_.customised, state_.pending,
                      state_.key_names, state_.stored_macros, paths_.KeymapFile(), &state_.stores),
      firmware_check_(FirmwareCheck::FromVersionFile(paths_.VersionFile())),
      events_(state_, paths_.KeymapFile(), SessionHooks()),
      backend_(std::move(setup.backend)) {}

MainWindowActions::~MainWindowActions() {
  // The session first: nothing it posts may reach a half-destroyed window.
  backend_.reset();
}

ConfiguratorSessionEvents::Hooks MainWindowActions::SessionHooks() {
  ConfiguratorSessionEvents::Hooks hooks;
  hooks.launch_key = [this](std::uint8_t code) {
    if (launcher_) {
      key_assignment_.LaunchKeyAction(code, *launcher_);
    }
  };
  hooks.progress = [this](const SequenceProgress& progress) {
    progress_ = progress;
    window_.repaint();
  };
  hooks.connection = [this](bool connected) {
    window_.carry(connected ? model_.visibility().OnKeyboardConnected()
                            : model_.visibility().OnKeyboardRemoved());
  };
  hooks.arrival = [this](const SequenceEnd& end, bool reset_after_update, bool listening) {
    if (!end.device.ok()) {
      ShowFailure(TextId::kReadFailed, end.device.error());
      return;
    }
    ShowStoreFailure(end.store);
    window_.carry(model_.OnArrivalRead(reset_after_update, listening));
  };
  hooks.arrival_running = [this](bool running) {
    model_.OnArrivalRunning(running);
    window_.repaint();
  };
  hooks.waiting_for_keyboard = [this](bool waiting) {
    model_.OnWaitingForKeyboard(waiting);
    window_.repaint();
  };
  hooks.lighting = [this](const std::optional<SliderMove>& move) {
    if (move) {
      window_.move_slider(static_cast<SliderId>(move->control_id), move->position);
    }
    // The effect may have changed what the page offers (the speed slider) at once.
    window_.carry({WindowRequest::kStartRepaintCountdown});
  };
  return hooks;
}

void MainWindowActions::Start() {
  backend_->StartSession(events_);
  Connect();
}

void MainWindowActions::Connect(bool arrived) {
  if (const auto& unwatched = backend_->watch_failure()) {
    ShowFailure(TextId::kHotplugFailed, *unwatched);
  }
  auto done = [this](Status status) { OnConnected(status); };
  if (arrived) {
    backend_->session().ConnectAfterArrival(done);
  } else {
    backend_->session().Connect(done);
  }
}

void MainWindowActions::OnConnected(const Status& status) {
  const bool absent = !status.ok() && status.error().code == ErrorCode::kNotFound;
  if (absent && backend_->CanFallBack()) {
    // The session is replaced outside its own reply.
    QTimer::singleShot(0, &guard_, [this] { FallBackToSimulator(); });
    return;
  }
  if (!status.ok() && status.error().code == ErrorCode::kPermissionDenied) {
    // Attached, but no udev rule yet: the usual first start. The window stays up and says
    // how to install the rule; so does the tray's balloon.
    const auto rule = UdevRuleHelp::ShippedRule(paths_.share_folder());
    failure_ = UdevRuleHelp::Lines(texts_, rule);
    balloon_ = UdevRuleHelp::OneLine(texts_, rule);
    model_.visibility().SetPermissionDenied(true);
  } else if (!status.ok() && !absent) {
    ShowFailure(TextId::kReadFailed, status.error());
  }
  window_.carry(model_.OnStartup(status.ok(), status.ok()));
}

void MainWindowActions::FallBackToSimulator() {
  // No keyboard attached: the program still works, on the simulator, and the title strip
  // says so.
  const Status simulator =
      backend_->FallBackToSimulator(events_, [this] { OnKeyboardArrivedOnFallback(); });
  if (!simulator.ok()) {
    ShowFailure(TextId::kReadFailed, simulator.error());
    window_.carry(model_.OnStartup(false, false));
    return;
  }
  Connect();
}

void MainWindowActions::OnKeyboardArrivedOnFallback() {
  if (model_.state().EditingLocked()) {
    // A sequence on the simulator is running; its reply needs the session it runs on.
    QTimer::singleShot(kSwitchRetryMs, &guard_, [this] { OnKeyboardArrivedOnFallback(); });
    return;
  }
  if (!backend_->ReturnToHardware(events_).ok()) {
    // Another HID device, or the keyboard already gone again: the simulator carries on.
    return;
  }
  // Connected and read as at start-up; unapplied edits on the simulator go with it.
  window_.repaint();
  Connect(true);
}

bool MainWindowActions::Carry(WindowRequest request) {
  if (CarryDevice(request) || CarryStore(request)) {
    return true;
  }
  switch (request) {
    case WindowRequest::kOpenMacroDialog:
      OpenMacroDialog();
      return true;
    case WindowRequest::kConfirmFactoryReset:
      window_.carry(
          model_.OnFactoryResetAnswer(dialogs_.confirm(FactoryResetFlow::Prompt(texts_))));
      return true;
    case WindowRequest::kLaunchUpdater:
      LaunchUpdater();
      return true;
    case WindowRequest::kOpenProfileDialog:
      // Whatever the dialog did, the window shows the image again; the keyboard is not read
      // and receives a loaded profile only on Apply.
      dialogs_.profiles();
      window_.carry(model_.OnProfileDialogClosed());
      return true;
    case WindowRequest::kCheckFirmware:
      CheckFirmware();
      return true;
    default:
      return false;
  }
}

bool MainWindowActions::CarryDevice(WindowRequest request) {
  switch (request) {
    case WindowRequest::kStartFullRead:
      StartFullRead();
      return true;
    case WindowRequest::kApplyChanges:
      StartApply();
      return true;
    case WindowRequest::kRunFactoryReset:
      StartFactoryReset();
      return true;
    case WindowRequest::kReadLightingAgain:
      // Every refresh from the keyboard follows a read that has just fetched the lighting, and
      // the listener keeps it in step since; a second read would bring nothing new.
      return true;
    default:
      return false;
  }
}

bool MainWindowActions::CarryStore(WindowRequest request) {
  switch (request) {
    case WindowRequest::kRefreshKeySettings:
      ShowStoreFailure(state_.Refresh(paths_.KeymapFile()));
      return true;
    case WindowRequest::kRevertKeySettings:
      ShowStoreFailure(state_.RevertKeySettings(paths_.KeymapFile()));
      return true;
    case WindowRequest::kSaveSnapshotsToStore:
      ShowStoreFailure(state_.SaveAppliedKeymapStore(paths_.KeymapFile()));
      return true;
    default:
      return false;
  }
}

void MainWindowActions::StartFullRead() {
  progress_.reset();
  backend_->session().FullRead([this](Result<DeviceRead> read) {
    progress_.reset();
    ShowSequenceEnd(TextId::kReadFailed, state_.FinishFullRead(read, paths_.KeymapFile()));
    window_.carry(model_.OnReadFinished());
  });
}

void MainWindowActions::StartApply() {
  progress_.reset();
  failure_.clear();
  if (Status saved = BackUpBeforeWrite(state_, paths_.BackupsFolder()); !saved.ok()) {
    ShowFailure(TextId::kBackupFailed, saved.error());
    window_.carry(model_.OnApplyFinished(saved));
    return;
  }
  backend_->session().WriteChanges(state_.image, state_.snapshot, [this](WriteOutcome outcome) {
    progress_.reset();
    const SequenceEnd end = state_.FinishWrite(outcome, paths_.KeymapFile());
    ShowSequenceEnd(TextId::kWriteFailed, end);
    window_.carry(model_.OnApplyFinished(end.device));
  });
}

void MainWindowActions::StartFactoryReset() {
  progress_.reset();
  failure_.clear();
  if (Status saved = BackUpBeforeFactoryReset(state_, paths_.BackupsFolder()); !saved.ok()) {
    ShowFailure(TextId::kBackupFailed, saved.error());
    window_.carry(model_.OnFactoryResetFinished(saved));
    return;
  }
  backend_->session().FactoryReset([this](Result<DeviceRead> read) {
    progress_.reset();
    const SequenceEnd end = state_.FinishFactoryReset(read, paths_.KeymapFile());
    ShowSequenceEnd(TextId::kResetFailed, end);
    window_.carry(model_.OnFactoryResetFinished(end.device));
  });
}

void MainWindowActions::CheckFirmware() {
  if (firmware_check_.ShouldOfferUpdate(state_.firmware) &&
      dialogs_.confirm(FirmwareCheck::Prompt(texts_))) {
    LaunchUpdater();
  }
}

void MainWindowActions::LaunchUpdater() {
  if (!dialogs_.start_updater(ToQString(paths_.Updater()))) {
    ShowFailure(TextId::kUpdaterNotStarted);
  }
}

void MainWindowActions::ShowSequenceEnd(TextId device_failed, const SequenceEnd& end) {
  if (!end.device.ok()) {
    ShowFailure(device_failed, end.device.error());
  }
  ShowStoreFailure(end.store);
}

void MainWindowActions::ShowStoreFailure(const Status& saved) {
  if (!saved.ok()) {
    ShowFailure(TextId::kSaveFailed, saved.error());
  }
}

void MainWindowActions::OpenKeyDialog(std::size_t key, std::uint8_t key_vk) {
  // A fresh result for every opening: a dialog that ends with OK without a choice changes
  // nothing.
  state_.pending = PendingAssignment{};
  state_.pending.current_key = static_cast<std::uint8_t>(key);
  state_.pending.current_key_vk = key_vk;
  // The dialog starts from the key action table as last saved.
  if (auto loaded = key_assignment_.LoadKeymapStore(true); !loaded.ok()) {
    ShowFailure(TextId::kSaveFailed, loaded.error());
  }
  // The dialog's page switches edit the entry in memory; without OK they must not reach the
  // store with the next Apply.
  const KeyActionEntry opened = state_.key_actions[key];
  if (!dialogs_.key_assignment(state_.pending)) {
    state_.key_actions[key] = opened;
    return;
  }
  ShowStoreFailure(key_assignment_.CompleteKeyAssignment());
  window_.repaint();
}

void MainWindowActions::OpenMacroDialog() {
  if (!dialogs_.macros()) {
    return;
  }
  if (Status saved = state_.CommitMacros(paths_.KeymapFile(), paths_.MacroFile()); !saved.ok()) {
    ShowFailure(TextId::kSaveFailed, saved.error());
  }
  window_.repaint();
}

void MainWindowActions::ShowFailure(TextId what, const Error& error) {
  failure_ = FailureText(texts_, what, error);
  window_.repaint();
}

void MainWindowActions::ShowFailureText(std::string text) {
  failure_ = std::move(text);
  window_.repaint();
}

void MainWindowActions::ShowFailure(TextId what) {
  failure_ = std::string(texts_.Get(what));
  window_.repaint();
}

}  // namespace n240qx
