#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/AckSignal.h"
#include "device/CommandChannel.h"
#include "device/LiveLighting.h"
#include "device/RegionDiff.h"
#include "device/SequenceSteps.h"
#include "device/WriteCommands.h"
#include "device/WriteOutcome.h"
#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"
#include "util/Clock.h"

namespace n240qx {

// How long one write step may wait for its acknowledgement before the write gives up.
inline constexpr std::chrono::milliseconds kDefaultAckTimeout{1000};

// The write of changes: only the regions where the image differs from the snapshot, in the
// keyboard's order, each step waiting for its acknowledgement. Runs on the device worker with
// copies of image and snapshot; the owning thread applies the outcome.
class WriteSequence {
 public:
  // `live` (may be null): lighting changes made on the keyboard meanwhile, for the closing frame.
  WriteSequence(CommandChannel& channel, Clock& clock, AckSignal& ack,
                std::chrono::milliseconds ack_timeout = kDefaultAckTimeout,
                const LiveLighting* live = nullptr);

  // Bracket open; the Windows-key lock; when anything differs, the opening lighting frame, the
  // changed regions, the closing lighting frame; bracket close. A step that fails or is not
  // acknowledged in time ends the write with an error naming it, and so does the program
  // closing (before the next step); the keyboard is then given the closing frames (unless it
  // has gone), so that it is not left dark inside an open bracket.
  WriteOutcome WriteChanges(const ConfigImage& image, const DeviceSnapshot& snapshot,
                            SequenceSteps& steps);

  // The regions a write of `image` would send: the image with the Windows-key lock folded into
  // the mask, as it goes out, against the snapshot.
  static RegionDiff Changes(const ConfigImage& image, const DeviceSnapshot& snapshot);

 private:
  struct Step {
    std::string name;
    std::optional<WriteRegion> region;
    std::function<Status()> send;
  };

  std::vector<Step> Plan(const RegionDiff& diff, ConfigImage& image);
  void PlanBulk(const RegionDiff& diff, ConfigImage& image, std::vector<Step>& plan);
  Status WriteRegions(const std::vector<Step>& plan, WriteOutcome& outcome, SequenceSteps& steps);
  Status RunAcknowledged(const Step& step, WriteOutcome& outcome, SequenceSteps& steps);
  Status AwaitAcknowledgement(const std::string& step_name);
  void CloseAfterFailure(WriteOutcome& outcome);
  Status SendClosingFrame(ConfigImage& image);

  CommandChannel& channel_;
  WriteCommands writes_;
  AckSignal& ack_;
  std::chrono::milliseconds ack_timeout_;
  const LiveLighting* live_;
};

}  // namespace n240qx
