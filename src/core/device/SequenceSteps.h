#pragma once

#include <atomic>
#include <functional>
#include <utility>

#include "device/SequenceProgress.h"
#include "util/Result.h"

namespace n240qx {

// Counts and reports the steps of one sequence, and ends it between two steps when the session
// is closing, so that shutdown never waits for a whole read.
class SequenceSteps {
 public:
  using ProgressSink = std::function<void(const SequenceProgress&)>;

  // `sink` and `cancel` may be empty / null.
  SequenceSteps(SequenceKind kind, int total, ProgressSink sink = {},
                const std::atomic<bool>* cancel = nullptr);

  // Runs one step unless the session is closing; a step that succeeds is counted and reported.
  template <typename Step>
  Status Run(Step&& step) {
    if (Status open = CheckCancelled(); !open.ok()) {
      return open;
    }
    Status result = std::forward<Step>(step)();
    if (result.ok()) {
      Advance();
    }
    return result;
  }

  // For sequences that learn their length only once they have started (the write of changes).
  void SetTotal(int total);
  int done() const { return progress_.done; }
  // The program is closing: no further step runs.
  bool Cancelled() const { return !CheckCancelled().ok(); }
  int total() const { return progress_.total; }

 private:
  Status CheckCancelled() const;
  void Advance();

  SequenceProgress progress_;
  ProgressSink sink_;
  const std::atomic<bool>* cancel_;
};

}  // namespace n240qx
