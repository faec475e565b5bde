#include "gui/DeviceRequests.h"

#include <utility>

#include "app/BackupBeforeWrite.h"
#include "app/ChangeSummary.h"
#include "openrgb/OutsideLightingWrite.h"

namespace n240qx {

namespace {
constexpr int kMaxRereadsBeforeApply = 3;
}  // namespace

DeviceRequests::DeviceRequests(Setup setup)
    : state_(setup.state),
      paths_(setup.paths),
      texts_(setup.texts),
      model_(setup.model),
      dialogs_(setup.dialogs),
      router_(setup.router),
      connection_(setup.connection),
      feedback_(setup.feedback),
      ending_(setup.ending) {}

void DeviceRequests::EndCallers() {
  EndCallerWrite(Error{ErrorCode::kDisconnected, "the window ended before the write was done"});
}

bool DeviceRequests::Carry(WindowRequest request, std::vector<WindowRequest>& /*follow_ups*/) {
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

void DeviceRequests::StartFullRead() {
  connection_.ResetProgress();
  connection_.session().FullRead([this](Result<DeviceRead> read) {
    connection_.ResetProgress();
    feedback_.SequenceEnded(TextId::kReadFailed, state_.FinishFullRead(read));
    connection_.EndSequence(model_.OnReadFinished());
  });
}

void DeviceRequests::StartApply() {
  connection_.ResetProgress();
  feedback_.Clear();
  if (const auto saved = BackUpBeforeWrite(state_, paths_.BackupsFolder()); !BackedUp(saved)) {
    feedback_.Failed(TextId::kBackupFailed, saved.error());
    // The window stays open with its edits and says why.
    (void)ending_.OnApplyFinished(false);
    EndCallerWrite(saved.error());
    connection_.EndSequence(model_.OnApplyFinished(saved.error()));
    return;
  }
  StartWrite(WriteOrigin::kApply);
}

bool DeviceRequests::WriteOutsideLighting(std::function<void(ConfigImage&)> change) {
  if (model_.state().EditingLocked()) {
    return false;
  }
  outside_change_ = std::move(change);
  state_.ShowOutsideLighting(outside_change_);
  router_.Route(*model_.OnOutsideLightingWrite());
  connection_.ResetProgress();
  StartWrite(WriteOrigin::kOutsideLighting);
  return true;
}

void DeviceRequests::WriteForCaller(const CallerChange& change, bool discard_edits,
                                    CallerDone done) {
  if (TakeCallerChange(change, discard_edits, std::move(done))) {
    StartApply();
  }
}

void DeviceRequests::WriteWithoutBackup(const CallerChange& change, CallerDone done) {
  if (TakeCallerChange(change, false, std::move(done))) {
    connection_.ResetProgress();
    StartWrite(WriteOrigin::kWithoutBackup);
  }
}

bool DeviceRequests::TakeCallerChange(const CallerChange& change, bool discard_edits,
                                      CallerDone done) {
  if (!MayWriteForCaller(done)) {
    return false;
  }
  if (Status changed = MakeCallerChange(change, discard_edits); !changed.ok()) {
    done(changed);
    return false;
  }
  router_.Route(*model_.OnOutsideLightingWrite());
  caller_done_ = std::move(done);
  return true;
}

Status DeviceRequests::ChangeForCaller(const CallerChange& change, bool discard_edits) {
  Status refused = Status::Ok();
  if (!MayWriteForCaller([&refused](const Status& status) { refused = status; })) {
    return refused;
  }
  Status changed = MakeCallerChange(change, discard_edits);
  // No write follows: the page, the sliders and the key settings follow the state now, as
  // after the profile dialog.
  router_.Route(model_.OnRefresh(RefreshSource::kProfileChange));
  return changed;
}

Status DeviceRequests::MakeCallerChange(const CallerChange& change, bool discard_edits) {
  const ConfigImage kept_image = state_.image();
  const KeyActionTable kept_actions = state_.key_actions();
  if (discard_edits) {
    state_.RestoreFromSnapshots();
  }
  if (Status changed = change(state_); !changed.ok()) {
    state_.PutBackSettings(kept_image, kept_actions);
    return changed;
  }
  // The caller's change is no step of the user's: there is nothing to undo back into.
  state_.ResetEditHistory();
  return Status::Ok();
}

bool DeviceRequests::MayWriteForCaller(const CallerDone& done) const {
  if (model_.state().EditingLocked()) {
    done(Error{ErrorCode::kNotOpen, "the window is reading or writing the keyboard"});
    return false;
  }
  return true;
}

void DeviceRequests::ResetForCaller(bool discard_edits, CallerDone done) {
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

void DeviceRequests::EndCallerWrite(const Status& status) {
  if (CallerDone done = std::exchange(caller_done_, nullptr)) {
    done(status);
  }
}

void DeviceRequests::StartWrite(WriteOrigin origin) {
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
      outside ? OutsideLightingTarget(state_.snapshot(), outside_change_) : state_.image(),
      state_.snapshot(),
      [this, origin, written = std::move(written)](WriteOutcome outcome) {
        OnWritten(origin, written, outcome);
      },
      state_.keyboard_writes());
}

void DeviceRequests::OnWritten(WriteOrigin origin, const std::string& written,
                               const WriteOutcome& outcome) {
  connection_.ResetProgress();
  DropBackupOfUnsentWrite(last_backup_, outcome);
  last_backup_.clear();
  if (outcome.reread && rereads_before_apply_ < kMaxRereadsBeforeApply) {
    ++rereads_before_apply_;
    // The backup just made holds the old view; the next one holds what the keyboard holds
    // now, as the write then starts from it.
    state_.RebaseOnReread(*outcome.reread);
    // Only the user's Apply backs up; a frame or a switch re-sent after a re-read must not
    // push the user's own backups out either.
    if (origin != WriteOrigin::kApply) {
      StartWrite(origin);
    } else {
      StartApply();
    }
    return;
  }
  rereads_before_apply_ = 0;
  const SequenceEnd end = origin == WriteOrigin::kOutsideLighting
                              ? state_.FinishOutsideLightingWrite(outcome)
                              : state_.FinishWrite(outcome);
  if (!written.empty()) {
    feedback_.Succeeded(FeedbackAction::kApply, end.device, written);
  }
  feedback_.SequenceEnded(TextId::kWriteFailed, end);
  std::vector<WindowRequest> requests = model_.OnApplyFinished(end.device);
  // An Apply answered to the closing question ends the program once the keyboard has it.
  const auto ending = ending_.OnApplyFinished(end.device.ok());
  requests.insert(requests.end(), ending.begin(), ending.end());
  EndCallerWrite(end.device);
  connection_.EndSequence(requests);
}

void DeviceRequests::StartFactoryReset() {
  connection_.ResetProgress();
  feedback_.Clear();
  if (const auto saved = BackUpBeforeFactoryReset(state_, paths_.BackupsFolder());
      !BackedUp(saved)) {
    feedback_.Failed(TextId::kBackupFailed, saved.error());
    EndCallerWrite(saved.error());
    connection_.EndSequence(model_.OnFactoryResetFinished(saved.error()));
    return;
  }
  connection_.session().FactoryReset([this](Result<DeviceRead> read) {
    connection_.ResetProgress();
    const SequenceEnd end = state_.FinishFactoryReset(read);
    feedback_.Succeeded(FeedbackAction::kFactoryReset, end.device);
    feedback_.SequenceEnded(TextId::kResetFailed, end);
    EndCallerWrite(end.device);
    connection_.EndSequence(model_.OnFactoryResetFinished(end.device));
  });
}

bool DeviceRequests::BackedUp(const Result<std::filesystem::path>& saved) {
  last_backup_ = saved.ok() ? *saved : std::filesystem::path();
  if (backup_fallback_.OnBackup(saved.ok() ? Status::Ok() : Status(saved.error())) ==
      BackupFallback::Step::kSend) {
    return true;
  }
  return backup_fallback_.OnAnswer(dialogs_.confirm(backup_fallback_.Prompt()));
}

}  // namespace n240qx
