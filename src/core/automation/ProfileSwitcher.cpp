#include "automation/ProfileSwitcher.h"

#include <algorithm>

namespace n240qx {

void ProfileSwitcher::OnPick(const std::optional<RulePick>& pick) {
  if (pick == last_pick_) {
    return;
  }
  last_pick_ = pick;
  pending_.reset();
  if (!pick) {
    // The profile stays, but no rule holds it there any more.
    chosen_by_.reset();
    return;
  }
  Settle(*pick);
}

void ProfileSwitcher::Settle(const RulePick& pick) {
  if (pick.profile == current_) {
    chosen_by_ = pick;
    pending_.reset();
  } else if (!pending_ || pending_->pick != pick) {
    pending_ = Pending{pick, clock_.NowUs()};
  }
}

void ProfileSwitcher::OnProfileChosen(std::optional<std::string> profile) {
  current_ = std::move(profile);
  pending_.reset();
  // Chosen by hand, what the rules want now is still theirs to name.
  if (last_pick_ && last_pick_->profile == current_) {
    chosen_by_ = last_pick_;
  } else {
    chosen_by_.reset();
  }
}

SwitchStep ProfileSwitcher::Peek() const {
  if (writing_) {
    return {SwitchStep::Kind::kWriting, writing_, SwitchStep::Busy::kNone, std::nullopt};
  }
  if (!pending_) {
    return {};
  }
  if (activity_.busy()) {
    // No time to wait for: the end of what keeps the window busy is the next news.
    return {SwitchStep::Kind::kWaiting, pending_->pick, BusyReason(activity_), std::nullopt};
  }
  const std::int64_t due = DueUs(*pending_);
  if (clock_.NowUs() < due) {
    const bool dwelling = clock_.NowUs() < pending_->since_us + timing_.dwell_us;
    return {dwelling ? SwitchStep::Kind::kDwelling : SwitchStep::Kind::kSpacing, pending_->pick,
            SwitchStep::Busy::kNone, due};
  }
  return {SwitchStep::Kind::kApply, pending_->pick, SwitchStep::Busy::kNone, std::nullopt};
}

SwitchStep ProfileSwitcher::Step() {
  const SwitchStep step = Peek();
  if (step.kind == SwitchStep::Kind::kApply) {
    writing_ = pending_->pick;
    pending_.reset();
    last_write_us_ = clock_.NowUs();
  }
  return step;
}

void ProfileSwitcher::OnWriteFinished(bool succeeded) {
  if (!writing_) {
    return;
  }
  if (succeeded) {
    current_ = writing_->profile;
    chosen_by_ = writing_;
  }
  writing_.reset();
  // The pick may have moved on while the keyboard was written, even back to where it was.
  if (succeeded && last_pick_ && last_pick_ != chosen_by_) {
    Settle(*last_pick_);
  }
}

std::optional<std::int64_t> ProfileSwitcher::ProcessScanUs(const AutomationRules& rules) const {
  return rules.HasProcessRule() ? std::optional(timing_.process_scan_us) : std::nullopt;
}

std::int64_t ProfileSwitcher::DueUs(const Pending& pending) const {
  const std::int64_t dwelt = pending.since_us + timing_.dwell_us;
  return last_write_us_ ? std::max(dwelt, *last_write_us_ + timing_.min_interval_us) : dwelt;
}

SwitchStep::Busy ProfileSwitcher::BusyReason(const WindowActivity& activity) {
  if (activity.sequence_running) {
    return SwitchStep::Busy::kSequence;
  }
  return activity.dialog_open ? SwitchStep::Busy::kDialog : SwitchStep::Busy::kUnappliedEdits;
}

}  // namespace n240qx
