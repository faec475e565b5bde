#include "gui/MainWindowActions.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <utility>

#include "app/BackupBeforeWrite.h"
#include "app/FailureText.h"
#include "app/HostActionStep.h"
#include "app/KeyboardBusModel.h"
#include "app/LibraryProfileLoad.h"
#include "app/ProfileLibrary.h"
#include "app/UdevRuleHelp.h"
#include "config/ProfileJson.h"
#include "gui/QtText.h"
#include "openrgb/OutsideLightingWrite.h"
#include "window/FactoryResetFlow.h"

namespace n240qx {

MainWindowActions::MainWindowActions(Setup setup, WindowSide window)
    : state_(setup.state),
      paths_(setup.paths),
      texts_(setup.texts),
      model_(setup.model),
      dialogs_(setup.dialogs),
      router_(setup.router),
      window_(std::move(window)),
      launcher_(std::move(setup.launcher)),
      key_assignment_(state_.image, state_.key_actions, state_.customised, state_.pending,
                      state_.key_names, state_.stored_macros, paths_.KeymapFile(), &state_.stores),
      firmware_check_(FirmwareCheck::FromVersionFile(paths_.VersionFile())),
      events_(state_, paths_.KeymapFile(), SessionHooks()),
      connection_(
          std::move(setup.connections), dispatcher_, events_,
          {[this] { return model_.state().EditingLocked(); }, [this] { OnReturnedToKeyboard(); }}) {
}

// The connection goes first, as the last member: nothing it posts reaches a half-destroyed
// window. A caller still waiting is told rather than left to its timeout.
MainWindowActions::~MainWindowActions() {
  EndCallerWrite(Error{ErrorCode::kDisconnected, "the window ended before the write was done"});
}

ConfiguratorSessionEvents::Hooks MainWindowActions::SessionHooks() {
  ConfiguratorSessionEvents::Hooks hooks;
  hooks.launch_key = [this](std::uint8_t code) {
    if (launcher_) {
      key_assignment_.LaunchKeyAction(code, *launcher_);
    }
    if (const auto action = FindHostAction(state_.key_actions, code)) {
      RunHostAction(*action);
    }
    if (on_launch_key) {
      on_launch_key(code);
    }
  };
  hooks.progress = [this](const SequenceProgress& progress) {
    progress_ = progress;
    window_.repaint();
  };
  hooks.connection = [this](bool connected) {
    router_.Route(connected ? model_.visibility().OnKeyboardConnected()
                            : model_.visibility().OnKeyboardRemoved());
    if (on_keyboard_presence) {
      on_keyboard_presence(connected);
    }
  };
  hooks.arrival = [this](const SequenceEnd& end, bool reset_after_update, bool listening) {
    if (!end.device.ok()) {
      ShowFailure(TextId::kReadFailed, end.device.error());
      return;
    }
    ShowStoreFailure(end.store);
    router_.Route(model_.OnArrivalRead(reset_after_update, listening));
  };
  hooks.arrival_running = [this](bool running) {
    model_.OnArrivalRunning(running);
    window_.repaint();
    if (!running) {
      connection_.OnSequenceEnded();
      if (on_sequence_ended) {
        on_sequence_ended();
      }
    }
  };
  hooks.waiting_for_keyboard = [this](bool waiting) {
    model_.OnWaitingForKeyboard(waiting);
    window_.repaint();
  };
  hooks.lighting = [this](const std::optional<SliderMove>& move) {
    if (move) {
      window_.move_slider(move->id, move->position);
    }
    // The effect may have changed what the page offers (the speed slider) at once.
    router_.Route({WindowRequest::kStartRepaintCountdown});
  };
  return hooks;
}

void MainWindowActions::RunHostAction(const HostAction& action) {
  auto names = ProfileLibrary(paths_.LibraryFolder()).Names();
  if (!names.ok()) {
    ShowFailure(TextId::kProfileKeyFailed, names.error());
    return;
  }
  // Every dialog of the window is modal: a profile under one would change what it shows.
  const HostActionStep step = HostActionStep::Plan(
      action, {model_.state().EditingLocked() || caller_done_ != nullptr,
               QApplication::activeModalWidget() != nullptr, ChangeSummary::Compare(state_).Any(),
               std::move(*names), active_profile_});
  switch (step.kind) {
    case HostActionStep::Kind::kToggleLights:
      if (toggle_lights) {
        toggle_lights();
      }
      return;
    case HostActionStep::Kind::kRefused:
      ShowFailureText(step.RefusalLine(texts_));
      return;
    case HostActionStep::Kind::kApplyProfile:
      ApplyLibraryProfile(step.profile);
      return;
  }
}

// The same road as a bus caller's write: the profile's check, a backup, only the difference.
void MainWindowActions::ApplyLibraryProfile(const std::string& name) {
  const ProfileLibrary library(paths_.LibraryFolder());
  auto load = [&library, &name](ConfiguratorState& state) {
    return LoadLibraryProfile(state, library, name);
  };
  WriteForCaller(load, false, [this, name](const Status& status) {
    if (status.ok()) {
      NoteProfileApplied(name, ChosenBy::kProfileKey);
      feedback_.Succeeded(FeedbackAction::kProfileKey, name);
    } else {
      ShowFailure(TextId::kProfileKeyFailed, status.error());
    }
    window_.repaint();
  });
}

void MainWindowActions::Start() {
  connection_.Start();
  Connect();
}

void MainWindowActions::Connect(bool arrived) {
  if (const auto unwatched = connection_.watch_failure()) {
    ShowFailure(TextId::kHotplugFailed, *unwatched);
  }
  auto done = [this](Status status) { OnConnected(status); };
  if (arrived) {
    connection_.session().ConnectAfterArrival(done);
  } else {
    connection_.session().Connect(done);
  }
}

void MainWindowActions::OnConnected(const Status& status) {
  const bool absent = !status.ok() && status.error().code == ErrorCode::kNotFound;
  if (absent && connection_.CanFallBack()) {
    // The session is replaced outside its own reply.
    QTimer::singleShot(0, &guard_, [this] { FallBackToSimulator(); });
    return;
  }
  if (!status.ok() && status.error().code == ErrorCode::kPermissionDenied) {
    // Attached, but no udev rule yet: the usual first start. The window stays up and says
    // how to install the rule; so does the tray's balloon.
    const auto rule = UdevRuleHelp::ShippedRule(paths_.share_folder());
    feedback_.Failed(UdevRuleHelp::Lines(texts_, rule));
    balloon_ = UdevRuleHelp::OneLine(texts_, rule);
    model_.visibility().SetPermissionDenied(true);
  } else if (!status.ok() && !absent) {
    ShowFailure(TextId::kReadFailed, status.error());
  }
  router_.Route(model_.OnStartup(status.ok(), status.ok()));
}

void MainWindowActions::FallBackToSimulator() {
  // No keyboard attached: the program still works, on the simulator, and the title strip
  // says so.
  const Status simulator = connection_.FallBackToSimulator();
  if (!simulator.ok()) {
    ShowFailure(TextId::kReadFailed, simulator.error());
    router_.Route(model_.OnStartup(false, false));
    return;
  }
  Connect();
}

void MainWindowActions::OnReturnedToKeyboard() {
  // Connected and read as at start-up; unapplied edits on the simulator go with it.
  window_.repaint();
  Connect(true);
}

void MainWindowActions::EndSequence(const std::vector<WindowRequest>& requests) {
  router_.Route(requests);
  connection_.OnSequenceEnded();
  if (on_sequence_ended) {
    on_sequence_ended();
  }
}

bool MainWindowActions::CarryEnding(WindowRequest request, FollowUps& follow_ups) {
  if (!ClosingQuestion::IsEnding(request)) {
    return false;
  }
  const bool unapplied =
      model_.state().activity == DeviceActivity::kIdle && ChangeSummary::Compare(state_).Any();
  switch (closing_.OnEndingRequest(request, unapplied)) {
    case ClosingQuestion::Step::kPass:
      return false;
    case ClosingQuestion::Step::kSwallow:
      return true;
    case ClosingQuestion::Step::kAsk:
      break;
  }
  const CloseAnswer answer = dialogs_.close_question();
  if (closing_.OnAnswer(answer, request)) {
    return false;
  }
  if (answer == CloseAnswer::kApply) {
    follow_ups = model_.Apply();
  }
  return true;
}

bool MainWindowActions::CarryDevice(WindowRequest request, FollowUps& /*follow_ups*/) {
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

bool MainWindowActions::CarryDialog(WindowRequest request, FollowUps& follow_ups) {
  switch (request) {
    case WindowRequest::kOpenKeyDialog:
      OpenKeyDialog(follow_ups);
      return true;
    case WindowRequest::kOpenMacroDialog:
      OpenMacroDialog(follow_ups);
      return true;
    case WindowRequest::kConfirmFactoryReset:
      follow_ups = model_.OnFactoryResetAnswer(dialogs_.confirm(FactoryResetFlow::Prompt(texts_)));
      return true;
    case WindowRequest::kLaunchUpdater:
      LaunchUpdater();
      return true;
    case WindowRequest::kOpenProfileDialog:
      // Whatever the dialog did, the window shows the image again; the keyboard is not read
      // and receives a loaded profile only on Apply.
      dialogs_.profiles();
      follow_ups = model_.OnProfileDialogClosed();
      return true;
    case WindowRequest::kCheckFirmware:
      CheckFirmware();
      return true;
    default:
      return false;
  }
}

bool MainWindowActions::CarryStore(WindowRequest request, FollowUps& /*follow_ups*/) {
  switch (request) {
    case WindowRequest::kRefreshKeySettings:
      ShowStoreFailure(state_.Refresh(paths_.KeymapFile()));
      return true;
    case WindowRequest::kRevertKeySettings: {
      const Status reverted = state_.RevertKeySettings(paths_.KeymapFile());
      // The image is restored whatever keymap.bin does; the file's failure is said after it.
      ShowSuccess(FeedbackAction::kRestore, Status());
      ShowStoreFailure(reverted);
      return true;
    }
    case WindowRequest::kSaveSnapshotsToStore:
      ShowStoreFailure(state_.SaveAppliedKeymapStore(paths_.KeymapFile()));
      return true;
    default:
      return false;
  }
}

void MainWindowActions::StartFullRead() {
  progress_.reset();
  connection_.session().FullRead([this](Result<DeviceRead> read) {
    progress_.reset();
    ShowSequenceEnd(TextId::kReadFailed, state_.FinishFullRead(read, paths_.KeymapFile()));
    EndSequence(model_.OnReadFinished());
  });
}

namespace {
constexpr int kMaxRereadsBeforeApply = 3;
}  // namespace

void MainWindowActions::StartApply() {
  progress_.reset();
  feedback_.Clear();
  if (const auto saved = BackUpBeforeWrite(state_, paths_.BackupsFolder()); !BackedUp(saved)) {
    ShowFailure(TextId::kBackupFailed, saved.error());
    // The window stays open with its edits and says why.
    (void)closing_.OnApplyFinished(false);
    EndCallerWrite(saved.error());
    EndSequence(model_.OnApplyFinished(saved.error()));
    return;
  }
  StartWrite(WriteOrigin::kApply);
}

bool MainWindowActions::WriteOutsideLighting(std::function<void(ConfigImage&)> change) {
  if (model_.state().EditingLocked()) {
    return false;
  }
  outside_change_ = std::move(change);
  const ConfigImage before = state_.image;
  ShowOutsideLighting(OutsideLightingTarget(state_.snapshot, outside_change_), state_.image,
                      state_.snapshot);
  // Not the user's edit: an undo neither claims nor reverts it.
  state_.edits.TakeOutsideChange(before, state_.image);
  router_.Route(*model_.OnOutsideLightingWrite());
  progress_.reset();
  StartWrite(WriteOrigin::kOutsideLighting);
  return true;
}

void MainWindowActions::WriteForCaller(const std::function<Status(ConfiguratorState&)>& change,
                                       bool discard_edits, CallerDone done) {
  if (TakeCallerChange(change, discard_edits, std::move(done))) {
    StartApply();
  }
}

void MainWindowActions::WriteWithoutBackup(const std::function<Status(ConfiguratorState&)>& change,
                                           CallerDone done) {
  if (TakeCallerChange(change, false, std::move(done))) {
    progress_.reset();
    StartWrite(WriteOrigin::kWithoutBackup);
  }
}

bool MainWindowActions::TakeCallerChange(const std::function<Status(ConfiguratorState&)>& change,
                                         bool discard_edits, CallerDone done) {
  if (!MayWriteForCaller(done)) {
    return false;
  }
  const ConfigImage kept_image = state_.image;
  const KeyActionTable kept_actions = state_.key_actions;
  if (discard_edits) {
    state_.RestoreFromSnapshots();
  }
  if (Status changed = change(state_); !changed.ok()) {
    state_.image = kept_image;
    state_.key_actions = kept_actions;
    done(changed);
    return false;
  }
  // The caller's change is no step of the user's: there is nothing to undo back into.
  state_.edits.Reset(state_.image, state_.key_actions);
  router_.Route(*model_.OnOutsideLightingWrite());
  caller_done_ = std::move(done);
  return true;
}

bool MainWindowActions::MayWriteForCaller(const CallerDone& done) const {
  if (model_.state().EditingLocked()) {
    done(Error{ErrorCode::kNotOpen, "the window is reading or writing the keyboard"});
    return false;
  }
  return true;
}

void MainWindowActions::ResetForCaller(bool discard_edits, CallerDone done) {
  if (!MayWriteForCaller(done)) {
    return;
  }
  if (discard_edits) {
    state_.RestoreFromSnapshots();
  }
  caller_done_ = std::move(done);
  // As if the user had confirmed the window's own question: the caller has asked.
  router_.Route(model_.OnFactoryResetAnswer(true));
}

void MainWindowActions::NoteProfileApplied(const std::string& name, ChosenBy chosen_by) {
  active_profile_ = name;
  if (on_profile_applied) {
    on_profile_applied(name, chosen_by);
  }
}

KeyboardBusAdaptor::Window MainWindowActions::BusWindow() {
  KeyboardBusAdaptor::Window window;
  window.properties = [this] {
    KeyboardBusProperties properties = KeyboardBusModel::Read(
        state_, model_.visibility().keyboard_connected(), connection_.simulated());
    auto names = ProfileLibrary(paths_.LibraryFolder()).Names();
    KeyboardBusModel::ReadProfiles(
        properties, names.ok() ? std::move(*names) : std::vector<std::string>(), active_profile_);
    return properties;
  };
  window.activity = [this] {
    // Every dialog of the window is modal; a caller's write under one would change what it
    // shows behind its back.
    return KeyboardBusWindow{model_.visibility().keyboard_connected(),
                             QApplication::activeModalWidget() != nullptr,
                             model_.state().EditingLocked() || caller_done_ != nullptr,
                             ChangeSummary::Compare(state_).Any()};
  };
  window.profile_json = [this] {
    // What the keyboard holds, as `read --json` prints it, whatever the window shows.
    ConfigImage held = state_.image;
    RestoreImageFromSnapshot(held, state_.snapshot);
    return profile_json::ToText({held, state_.key_actions_snapshot, state_.stored_macros,
                                 state_.key_names, state_.firmware});
  };
  window.write = [this](const std::function<Status(ConfiguratorState&)>& change, bool discard_edits,
                        KeyboardBusAdaptor::WriteDone done) {
    WriteForCaller(change, discard_edits, std::move(done));
  };
  window.reset = [this](bool discard_edits, KeyboardBusAdaptor::WriteDone done) {
    ResetForCaller(discard_edits, std::move(done));
  };
  window.profile_applied = [this](const std::string& name) { NoteProfileApplied(name); };
  window.key_names = &state_.key_names;
  window.paths = &paths_;
  return window;
}

void MainWindowActions::EndCallerWrite(const Status& status) {
  if (CallerDone done = std::exchange(caller_done_, nullptr)) {
    done(status);
  }
}

void MainWindowActions::StartWrite(WriteOrigin origin) {
  // Named now: once written, image and snapshot are alike. A frame from an SDK client is not
  // the user's Apply and says nothing: at its rate the line would only flicker.
  std::string written;
  if (origin == WriteOrigin::kApply) {
    written = ChangeSummary::Compare(state_).Words(texts_);
    if (rereads_before_apply_ > 0) {
      written.append("; ").append(texts_.Get(TextId::kReadAgainBeforeApply));
    }
  }
  // Another program's write re-read since makes a new target from what the keyboard now holds.
  const bool outside = origin == WriteOrigin::kOutsideLighting;
  connection_.session().WriteChanges(
      outside ? OutsideLightingTarget(state_.snapshot, outside_change_) : state_.image,
      state_.snapshot,
      [this, origin, outside, written = std::move(written)](WriteOutcome outcome) {
        progress_.reset();
        DropBackupOfUnsentWrite(last_backup_, outcome);
        last_backup_.clear();
        if (outcome.reread && rereads_before_apply_ < kMaxRereadsBeforeApply) {
          ++rereads_before_apply_;
          // The backup just made holds the old view; the next one holds what the keyboard
          // holds now, as the write then starts from it.
          state_.RebaseOnReread(*outcome.reread, paths_.KeymapFile());
          // Only the user's Apply backs up; a frame or a switch re-sent after a re-read
          // must not push the user's own backups out either.
          if (origin != WriteOrigin::kApply) {
            StartWrite(origin);
          } else {
            StartApply();
          }
          return;
        }
        rereads_before_apply_ = 0;
        const SequenceEnd end = outside ? state_.FinishOutsideLightingWrite(outcome)
                                        : state_.FinishWrite(outcome, paths_.KeymapFile());
        if (!written.empty()) {
          ShowSuccess(FeedbackAction::kApply, end.device, written);
        }
        ShowSequenceEnd(TextId::kWriteFailed, end);
        std::vector<WindowRequest> requests = model_.OnApplyFinished(end.device);
        // An Apply answered to the closing question ends the program once the keyboard has it.
        const auto ending = closing_.OnApplyFinished(end.device.ok());
        requests.insert(requests.end(), ending.begin(), ending.end());
        EndCallerWrite(end.device);
        EndSequence(requests);
      },
      state_.keyboard_writes);
}

void MainWindowActions::StartFactoryReset() {
  progress_.reset();
  feedback_.Clear();
  if (const auto saved = BackUpBeforeFactoryReset(state_, paths_.BackupsFolder());
      !BackedUp(saved)) {
    ShowFailure(TextId::kBackupFailed, saved.error());
    EndCallerWrite(saved.error());
    EndSequence(model_.OnFactoryResetFinished(saved.error()));
    return;
  }
  connection_.session().FactoryReset([this](Result<DeviceRead> read) {
    progress_.reset();
    const SequenceEnd end = state_.FinishFactoryReset(read, paths_.KeymapFile());
    ShowSuccess(FeedbackAction::kFactoryReset, end.device);
    ShowSequenceEnd(TextId::kResetFailed, end);
    EndCallerWrite(end.device);
    EndSequence(model_.OnFactoryResetFinished(end.device));
  });
}

bool MainWindowActions::BackedUp(const Result<std::filesystem::path>& saved) {
  last_backup_ = saved.ok() ? *saved : std::filesystem::path();
  if (backup_fallback_.OnBackup(saved.ok() ? Status::Ok() : Status(saved.error())) ==
      BackupFallback::Step::kSend) {
    return true;
  }
  return backup_fallback_.OnAnswer(dialogs_.confirm(backup_fallback_.Prompt()));
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

void MainWindowActions::OpenKeyDialog(FollowUps& follow_ups) {
  // The dialog starts from the key action table as last saved.
  if (auto loaded = key_assignment_.LoadKeymapStore(true); !loaded.ok()) {
    ShowFailure(TextId::kSaveFailed, loaded.error());
  }
  if (!dialogs_.key_assignment(state_.pending)) {
    return;
  }
  ShowStoreFailure(state_.CompleteKeyAssignment(paths_.KeymapFile()));
  follow_ups = {WindowRequest::kRepaint};
}

void MainWindowActions::OpenMacroDialog(FollowUps& follow_ups) {
  if (!dialogs_.macros()) {
    return;
  }
  if (Status saved = state_.CommitMacros(paths_.KeymapFile(), paths_.MacroFile()); !saved.ok()) {
    ShowFailure(TextId::kSaveFailed, saved.error());
  }
  follow_ups = {WindowRequest::kRepaint};
}

void MainWindowActions::ShowSuccess(FeedbackAction action, const Status& device,
                                    std::string_view detail) {
  if (device.ok()) {
    feedback_.Succeeded(action, detail);
  }
}

void MainWindowActions::ShowFailure(TextId what, const Error& error) {
  ShowFailureText(FailureText(texts_, what, error));
}

void MainWindowActions::ShowFailureText(std::string text) {
  feedback_.Failed(std::move(text));
  window_.repaint();
}

void MainWindowActions::ShowFailure(TextId what) {
  ShowFailureText(std::string(texts_.Get(what)));
}

}  // namespace n240qx
