#include "device/WriteSequence.h"

#include <array>
#include <string>

#include "image/ImageField.h"

namespace n240qx {

namespace {

namespace field = image_field;

constexpr const char* kOpeningFrame = "WriteLighting (opening frame)";
constexpr const char* kClosingFrame = "WriteLighting (closing frame)";

bool LinkGone(const Status& status) {
  return !status.ok() && (status.error().code == ErrorCode::kDisconnected ||
                          status.error().code == ErrorCode::kNotOpen);
}

std::string Numbered(const char* name, std::size_t index) {
  return std::string(name) + " " + std::to_string(index);
}

}  // namespace

WriteSequence::WriteSequence(CommandChannel& channel, Clock& clock, AckSignal& ack,
                             std::chrono::milliseconds ack_timeout, const LiveLighting* live)
    : channel_(channel),
      writes_(channel, clock),
      ack_(ack),
      ack_timeout_(ack_timeout),
      live_(live) {}

WriteOutcome WriteSequence::WriteChanges(const ConfigImage& image, const DeviceSnapshot& snapshot,
                                         SequenceSteps& steps) {
  WriteOutcome outcome{Status::Ok(), image, {}, {}, 0};
  if (!channel_.IsOpen()) {
    outcome.status = Error{ErrorCode::kNotOpen, "No keyboard: the changes cannot be written"};
    return outcome;
  }
  outcome.written.ApplyWindowsKeyLock();
  const RegionDiff diff = Changes(image, snapshot);
  const std::vector<Step> plan = Plan(diff, outcome.written);
  steps.SetTotal(2 + (diff.Any() ? 2 + static_cast<int>(plan.size()) : 0));

  if (Status opened = steps.Run([&] { return writes_.WriteBracket(Bracket::kOpen); });
      !opened.ok()) {
    outcome.status = opened;
    return outcome;
  }
  outcome.sent.emplace_back("WriteBracket (open)");
  if (diff.Any()) {
    if (Status written = WriteRegions(plan, outcome, steps); !written.ok()) {
      outcome.status = written;
      // A write stopped because the program is closing still closes: its keyboard is there.
      if (!LinkGone(written) || steps.Cancelled()) {
        CloseAfterFailure(outcome);
      }
      return outcome;
    }
  }
  // An open bracket is closed even when the program is closing.
  const auto close = [&] { return writes_.WriteBracket(Bracket::kClose); };
  outcome.status = steps.Cancelled() ? close() : steps.Run(close);
  if (outcome.status.ok()) {
    outcome.sent.emplace_back("WriteBracket (close)");
  }
  return outcome;
}

RegionDiff WriteSequence::Changes(const ConfigImage& image, const DeviceSnapshot& snapshot) {
  // The lock is host-side only and changes nothing on the wire before the bracket, so it is
  // folded in first and the comparison sees the mask as it will be sent.
  ConfigImage sent = image;
  sent.ApplyWindowsKeyLock();
  return RegionDiff::Compare(sent, snapshot);
}

std::vector<WriteSequence::Step> WriteSequence::Plan(const RegionDiff& diff, ConfigImage& image) {
  std::vector<Step> plan;
  if (diff.colour_slots) {
    plan.push_back({"WriteColourSlot (slots 1-7)", WriteRegion{"colour slots", field::kColourSlots},
                    [this, &image]() -> Status {
                      for (std::size_t slot = 0; slot < field::kColourSlotCount; ++slot) {
                        if (Status sent = writes_.WriteColourSlot(slot, image); !sent.ok()) {
                          return sent;
                        }
                      }
                      return Status::Ok();
                    }});
  }
  if (diff.game_mode) {
    plan.push_back({"WriteGameMode", WriteRegion{"game mode", field::kGameMode},
                    [this, &image] { return writes_.WriteGameMode(image); }});
  }
  if (diff.report_rate) {
    plan.push_back({"WriteReportRate", WriteRegion{"report rate", field::kReportRate},
                    [this, &image] { return writes_.WriteReportRate(image); }});
  }
  if (diff.response_time) {
    plan.push_back({"WriteResponseTime", WriteRegion{"response time", field::kResponseTime},
                    [this, &image] { return writes_.WriteResponseTime(image); }});
  }
  PlanBulk(diff, image, plan);
  return plan;
}

// The regions that go as data reports after their command.
void WriteSequence::PlanBulk(const RegionDiff& diff, ConfigImage& image, std::vector<Step>& plan) {
  if (diff.key_map) {
    plan.push_back({"WriteKeyMap", WriteRegion{"key map", field::kKeyMap},
                    [this, &image] { return writes_.WriteKeyMap(image); }});
  }
  for (std::size_t index = 0; index < diff.macros.size(); ++index) {
    if (diff.macros[index]) {
      plan.push_back({Numbered("WriteMacro", index),
                      WriteRegion{Numbered("macro", index), field::MacroRecord(index)},
                      [this, &image, index] {
                        // The record is copied right before it goes, as the keyboard takes it.
                        std::array<std::uint8_t, field::kMacroRecordSize> record{};
                        const auto source = image.Field(field::MacroRecord(index));
                        std::copy(source.begin(), source.end(), record.begin());
                        return writes_.WriteMacro(index, record);
                      }});
    }
  }
  if (diff.key_enable_mask) {
    plan.push_back({"WriteKeyEnableMask", WriteRegion{"key enable mask", field::kKeyEnableMask},
                    [this, &image] { return writes_.WriteKeyEnableMask(image); }});
  }
  for (std::size_t table = 0; table < diff.colour_tables.size(); ++table) {
    if (diff.colour_tables[table]) {
      plan.push_back({Numbered("WriteColourTable", table),
                      WriteRegion{Numbered("colour table", table), field::ColourTable(table)},
                      [this, &image, table] { return writes_.WriteColourTable(table, image); }});
    }
  }
}

Status WriteSequence::WriteRegions(const std::vector<Step>& plan, WriteOutcome& outcome,
                                   SequenceSteps& steps) {
  ConfigImage& image = outcome.written;
  const Step opening{kOpeningFrame, std::nullopt, [this, &image] {
                       return writes_.WriteLighting(LightingFrame::kOpening, image);
                     }};
  if (Status opened = RunAcknowledged(opening, outcome, steps); !opened.ok()) {
    return opened;
  }
  for (const Step& step : plan) {
    if (Status written = RunAcknowledged(step, outcome, steps); !written.ok()) {
      return written;
    }
  }
  // The closing frame is never acknowledged: the lighting counts as written once it is out.
  Status closing = steps.Run([&] { return SendClosingFrame(image); });
  if (!closing.ok()) {
    return closing;
  }
  outcome.sent.emplace_back(kClosingFrame);
  outcome.acknowledged.push_back({"lighting", field::kLighting});
  return Status::Ok();
}

Status WriteSequence::RunAcknowledged(const Step& step, WriteOutcome& outcome,
                                      SequenceSteps& steps) {
  ack_.Clear();
  return steps.Run([&]() -> Status {
    if (Status sent = step.send(); !sent.ok()) {
      return sent;
    }
    outcome.sent.push_back(step.name);
    ++outcome.acknowledgements_waited;
    if (Status acknowledged = AwaitAcknowledgement(step.name); !acknowledged.ok()) {
      return acknowledged;
    }
    if (step.region) {
      outcome.acknowledged.push_back(*step.region);
    }
    return Status::Ok();
  });
}

Status WriteSequence::AwaitAcknowledgement(const std::string& step_name) {
  switch (ack_.Wait(ack_timeout_)) {
    case AckWait::kAcknowledged:
      return Status::Ok();
    case AckWait::kLinkLost:
      return Error{ErrorCode::kDisconnected,
                   step_name + ": the keyboard went away before it acknowledged the step"};
    case AckWait::kTimedOut:
      break;
  }
  return Error{ErrorCode::kTimeout, step_name + " was not acknowledged within " +
                                        std::to_string(ack_timeout_.count()) +
                                        " ms; the write stopped there"};
}

Status WriteSequence::SendClosingFrame(ConfigImage& image) {
  // The written image carries them too, so that the snapshot agrees with the keyboard.
  if (live_ != nullptr) {
    live_->ApplyTo(image);
  }
  return writes_.WriteLighting(LightingFrame::kClosing, image);
}

void WriteSequence::CloseAfterFailure(WriteOutcome& outcome) {
  // Best effort: the error that ended the write is what the caller reports.
  if (SendClosingFrame(outcome.written).ok()) {
    outcome.sent.emplace_back(kClosingFrame);
  }
  if (writes_.WriteBracket(Bracket::kClose).ok()) {
    outcome.sent.emplace_back("WriteBracket (close)");
  }
}

}  // namespace n240qx
