#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/BackupFallback.h"
#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "gui/EndingRequests.h"
#include "gui/KeyboardConnection.h"
#include "gui/WindowDialogs.h"
#include "gui/WindowFeedback.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"
#include "window/WindowRequestRouter.h"

namespace n240qx {

// The router's handler of the keyboard sequences on the device worker (full read, Apply,
// factory reset), and the writes callers outside the window's input ask for: an SDK client's
// lighting, a session bus caller's change or reset, a profile the rules chose.
class DeviceRequests {
 public:
  struct Setup {
    ConfiguratorState& state;
    const ProgramPaths& paths;
    const Texts& texts;
    MainWindowModel& model;
    WindowDialogs& dialogs;
    const WindowRequestRouter& router;
    KeyboardConnection& connection;
    WindowFeedback& feedback;
    EndingRequests& ending;
  };
  using CallerDone = std::function<void(const Status& status)>;
  using CallerChange = std::function<Status(ConfiguratorState&)>;

  explicit DeviceRequests(Setup setup);
  DeviceRequests(const DeviceRequests&) = delete;
  DeviceRequests& operator=(const DeviceRequests&) = delete;

  bool Carry(WindowRequest request, std::vector<WindowRequest>& follow_ups);

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
  void WriteForCaller(const CallerChange& change, bool discard_edits, CallerDone done);
  // The same for a write the window makes of its own accord (a profile the rules chose): no
  // backup, which would push the user's own out of the last ones kept, and no success line;
  // the window's edits must already be applied.
  void WriteWithoutBackup(const CallerChange& change, CallerDone done);
  // The factory reset a caller on the session bus asked for, on the same terms: with
  // `discard_edits` the unapplied edits go first; `done` follows the reset's end.
  void ResetForCaller(bool discard_edits, CallerDone done);
  // A change of the stores a caller on the session bus asked for (its macros), made at once
  // and without a write: refused while a sequence runs; with `discard_edits` the unapplied
  // edits go first. A change that fails leaves image and key actions as they were.
  Status ChangeForCaller(const CallerChange& change, bool discard_edits);
  // A caller's write runs now.
  bool caller_waiting() const { return caller_done_ != nullptr; }
  // The window ends: a caller still waiting is told rather than left to its timeout.
  void EndCallers();

 private:
  void StartFullRead();
  void StartApply();
  enum class WriteOrigin { kApply, kOutsideLighting, kWithoutBackup };
  void StartWrite(WriteOrigin origin);
  void OnWritten(WriteOrigin origin, const std::string& written, const WriteOutcome& outcome);
  void StartFactoryReset();
  // Whether the write that `saved` backed up may go: a failed backup asks first. The backup's
  // file is kept for the write's end, which drops it when nothing was sent.
  bool BackedUp(const Result<std::filesystem::path>& saved);
  // The change of a caller's write made on the state: false, with `done` told why and the
  // state as it was, when it cannot be made now; true when the write may start.
  bool TakeCallerChange(const CallerChange& change, bool discard_edits, CallerDone done);
  // `change` made on the state after the discarded edits, or the state as it was with the
  // change's failure.
  Status MakeCallerChange(const CallerChange& change, bool discard_edits);
  // The caller whose write has just ended gets its status.
  void EndCallerWrite(const Status& status);
  // False, with `done` told why, while a sequence runs; else the caller's write may start.
  bool MayWriteForCaller(const CallerDone& done) const;

  ConfiguratorState& state_;
  const ProgramPaths& paths_;
  const Texts& texts_;
  MainWindowModel& model_;
  WindowDialogs& dialogs_;
  const WindowRequestRouter& router_;
  KeyboardConnection& connection_;
  WindowFeedback& feedback_;
  EndingRequests& ending_;
  // Apply's re-reads in a row after another program's writes; a program writing all the time
  // makes Apply give up rather than read for ever.
  int rereads_before_apply_ = 0;
  // The caller whose write runs now, if any.
  CallerDone caller_done_;
  // The change of the outside lighting write that runs now.
  std::function<void(ConfigImage&)> outside_change_;
  BackupFallback backup_fallback_{texts_};
  std::filesystem::path last_backup_;
};

}  // namespace n240qx
