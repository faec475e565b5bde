#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ActionFeedback.h"
#include "app/BackupFallback.h"
#include "app/ConfiguratorSessionEvents.h"
#include "app/ConfiguratorState.h"
#include "app/FirmwareCheck.h"
#include "app/KeyAssignment.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "connect/ConnectionSwitch.h"
#include "connect/DeviceConnectionFactory.h"
#include "device/SequenceProgress.h"
#include "gui/KeyboardBusAdaptor.h"
#include "gui/QtDispatcher.h"
#include "gui/WindowDialogs.h"
#include "keys/HostAction.h"
#include "keys/Launcher.h"
#include "paint/SliderId.h"
#include "window/ClosingQuestion.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"
#include "window/WindowRequestRouter.h"

namespace n240qx {

// The handlers of the main window's requests that do not concern the window itself: the
// keyboard sequences on the device worker, keymap.bin and the marked keys, the dialogs, the
// firmware check and the updater; and what the device session reports. What the model answers
// a request with comes back to the router as follow-ups; what it answers a finished sequence
// or a session report with starts a route of its own. Nothing here calls into the window's
// requests.
class MainWindowActions {
 public:
  // What the window does for a session report that is no request: paint, move a slider.
  struct WindowSide {
    std::function<void()> repaint;
    std::function<void(SliderId id, int position)> move_slider;
  };
  struct Setup {
    ConfiguratorState& state;
    const ProgramPaths& paths;
    const Texts& texts;
    MainWindowModel& model;
    WindowDialogs& dialogs;
    const WindowRequestRouter& router;
    std::unique_ptr<DeviceConnectionFactory> connections;
    std::unique_ptr<Launcher> launcher;
  };
  using FollowUps = std::vector<WindowRequest>;

  MainWindowActions(Setup setup, WindowSide window);
  ~MainWindowActions();
  MainWindowActions(const MainWindowActions&) = delete;
  MainWindowActions& operator=(const MainWindowActions&) = delete;

  // Starts the session and connects; without a keyboard (and not asked for the simulator)
  // carries on with the simulator. Ends with the model's start-up requests.
  void Start();
  // The router's handlers after the window's own: each carries out `request` when it is its
  // own and returns true.
  // The keyboard sequences on the device worker.
  bool CarryDevice(WindowRequest request, FollowUps& follow_ups);
  // keymap.bin and the marked keys.
  bool CarryStore(WindowRequest request, FollowUps& follow_ups);
  // The dialogs, the firmware check and the updater.
  bool CarryDialog(WindowRequest request, FollowUps& follow_ups);
  // First of all: the ending's requests wait for the question unapplied edits ask.
  bool CarryEnding(WindowRequest request, FollowUps& follow_ups);

  // Lighting from outside the window (an SDK client, the lights going dark): `change`, made on
  // what the keyboard holds, is all the write sends, without a backup (a stream of frames
  // would push every real backup out); the window's unapplied edits stay unapplied. `change`
  // is kept until the write ends (a re-read makes it again). False while a sequence runs.
  bool WriteOutsideLighting(std::function<void(ConfigImage&)> change);
  // A write a caller on the session bus asked for, which the caller has found the window free
  // to make: with `discard_edits` the window's unapplied edits go first, then `change` is made
  // on the state and the ordinary Apply follows (backup, re-read after another program's
  // write, write of changes). `done` gets the write's status once the keyboard has
  // acknowledged it or it failed; a change that fails leaves the state as it was.
  using CallerDone = std::function<void(const Status& status)>;
  void WriteForCaller(const std::function<Status(ConfiguratorState&)>& change, bool discard_edits,
                      CallerDone done);
  // The same for a write the window makes of its own accord (a profile the rules chose): no
  // backup, which would push the user's own out of the last ones kept, and no success line;
  // the window's edits must already be applied.
  void WriteWithoutBackup(const std::function<Status(ConfiguratorState&)>& change, CallerDone done);
  // The factory reset a caller on the session bus asked for, on the same terms: with
  // `discard_edits` the unapplied edits go first; `done` follows the reset's end.
  void ResetForCaller(bool discard_edits, CallerDone done);
  // Who applied a library profile: the user from the tray or the session bus, the user with
  // a profile key, or the rules.
  enum class ChosenBy { kUser, kProfileKey, kRule };
  // A stored profile of the library has been applied: it is the active profile, and
  // on_profile_applied is told.
  void NoteProfileApplied(const std::string& name, ChosenBy chosen_by = ChosenBy::kUser);
  std::function<void(const std::string& name, ChosenBy chosen_by)> on_profile_applied;
  // What the window's object on the session bus reads and writes through.
  KeyboardBusAdaptor::Window BusWindow();
  // Told when a sequence ended, when the keyboard came or went (the simulator counts) and
  // when a launch key was pressed.
  std::function<void()> on_sequence_ended;
  std::function<void(bool present)> on_keyboard_presence;
  std::function<void(std::uint8_t code)> on_launch_key;
  // A key carrying the lights-toggle host action was pressed; the composition wires the owner
  // of the lights, none leaves the key doing nothing.
  std::function<void()> toggle_lights;

  // A failure found outside the sequences (the files at start-up), shown as it is.
  void ShowFailureText(std::string text);

  bool simulated() const { return connection_.simulated(); }
  const std::optional<SequenceProgress>& progress() const { return progress_; }
  // The last failure in the window's language, empty when none; a new sequence clears it, and
  // so does an Apply, restore or factory reset that succeeds.
  const std::string& failure() const { return feedback_.failure(); }
  // What the last Apply, restore or factory reset did, when it succeeded.
  const std::string& success() const { return feedback_.success(); }
  // What the no-keyboard balloon says instead of its usual text; empty for that.
  const std::string& balloon() const { return balloon_; }

 private:
  ConfiguratorSessionEvents::Hooks SessionHooks();
  // The key clicked in Keymap mode (ConfiguratorState::pending): the key assignment dialog,
  // and on OK the assignment and keymap.bin.
  void OpenKeyDialog(FollowUps& follow_ups);
  // The macro dialog, and on OK the macro records, keymap.bin and MacroDefine.bin.
  void OpenMacroDialog(FollowUps& follow_ups);
  // A key with a host action was pressed: a profile of the library through the caller's
  // write, the lights, or the status line says why not now.
  void RunHostAction(const HostAction& action);
  void ApplyLibraryProfile(const std::string& name);
  // `arrived`: the keyboard has just been plugged in and needs its settling pause first.
  void Connect(bool arrived = false);
  void OnConnected(const Status& status);
  void FallBackToSimulator();
  void OnReturnedToKeyboard();
  // A sequence has ended: its requests go to the window, then a waiting switch to the
  // keyboard may happen.
  void EndSequence(const std::vector<WindowRequest>& requests);
  void StartFullRead();
  void StartApply();
  enum class WriteOrigin { kApply, kOutsideLighting, kWithoutBackup };
  void StartWrite(WriteOrigin origin);
  void StartFactoryReset();
  // Whether the write that `saved` backed up may go: a failed backup asks first. The backup's
  // file is kept for the write's end, which drops it when nothing was sent.
  bool BackedUp(const Result<std::filesystem::path>& saved);
  // The change of a caller's write made on the state: false, with `done` told why and the
  // state as it was, when it cannot be made now; true when the write may start.
  bool TakeCallerChange(const std::function<Status(ConfiguratorState&)>& change, bool discard_edits,
                        CallerDone done);
  // The caller whose write has just ended gets its status.
  void EndCallerWrite(const Status& status);
  // False, with `done` told why, while a sequence runs; else the caller's write may start.
  bool MayWriteForCaller(const CallerDone& done) const;
  void CheckFirmware();
  void LaunchUpdater();
  // A sequence's success replaces the failure line an earlier action left.
  void ShowSuccess(FeedbackAction action, const Status& device, std::string_view detail = {});
  void ShowSequenceEnd(TextId device_failed, const SequenceEnd& end);
  void ShowStoreFailure(const Status& saved);
  void ShowFailure(TextId what, const Error& error);
  void ShowFailure(TextId what);

  // Ends delayed work when this object goes.
  QObject guard_;
  ConfiguratorState& state_;
  const ProgramPaths& paths_;
  const Texts& texts_;
  MainWindowModel& model_;
  WindowDialogs& dialogs_;
  const WindowRequestRouter& router_;
  WindowSide window_;
  std::unique_ptr<Launcher> launcher_;
  KeyAssignment key_assignment_;
  FirmwareCheck firmware_check_;
  std::optional<SequenceProgress> progress_;
  // Apply's re-reads in a row after another program's writes; a program writing all the time
  // makes Apply give up rather than read for ever.
  int rereads_before_apply_ = 0;
  // The caller whose write runs now, if any.
  CallerDone caller_done_;
  // The change of the outside lighting write that runs now.
  std::function<void(ConfigImage&)> outside_change_;
  // The stored profile last applied, for the session bus.
  std::string active_profile_;
  ActionFeedback feedback_{texts_};
  BackupFallback backup_fallback_{texts_};
  std::filesystem::path last_backup_;
  std::string balloon_;
  ConfiguratorSessionEvents events_;
  ClosingQuestion closing_;
  // Work the sessions posted is dropped with it, after they have stopped.
  QtDispatcher dispatcher_;
  // Last: its session reports to events_ and stops before anything above goes.
  ConnectionSwitch connection_;
};

}  // namespace n240qx
