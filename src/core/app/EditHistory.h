#pragma once

#include <cstddef>
#include <deque>

#include "app/EditStep.h"
#include "image/ConfigImage.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

// The window's unapplied edits to the image and the key action table, to step back and forth
// through. The window records once at the end of each input; whatever changed since the last
// record is one step. Changes that are not the user's (the keyboard's own lighting changes,
// the lock folded in by a write) are taken in without a step, and every point where image and
// snapshot meet again (a read, an Apply, a reset) starts a new history.
class EditHistory {
 public:
  static constexpr std::size_t kMaxSteps = 100;
  // A profile load may change the whole key action table (about 400 kB as before and after);
  // beyond this the oldest steps go, so that the history stays small.
  static constexpr std::size_t kMaxBytes = std::size_t{8} << 20;

  // A new history, with the state given as the one the next edit is compared with.
  void Reset(const ConfigImage& image, const KeyActionTable& actions);

  // What differs from the last recorded state becomes one step, and the steps undone before it
  // go. Returns false, changing nothing, when nothing differs.
  bool Record(const ConfigImage& image, const KeyActionTable& actions);

  // A change made to the image by someone other than the user, `before` to `after`: taken
  // into the recorded state, so that the next step does not claim it.
  void TakeOutsideChange(const ConfigImage& before, const ConfigImage& after);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }

  // Anything not yet recorded is recorded first. Returns the step that was undone or redone,
  // valid until the next call, or nullptr when there is none (and nothing changed).
  const EditStep* Undo(ConfigImage& image, KeyActionTable& actions);
  const EditStep* Redo(ConfigImage& image, KeyActionTable& actions);

 private:
  void DropRedoSteps();
  void KeepWithinLimits();

  ConfigImage recorded_image_;
  KeyActionTable recorded_actions_;
  std::deque<EditStep> steps_;
  // Steps in effect: steps_[0, done_) can be undone, steps_[done_, end) redone.
  std::size_t done_ = 0;
  std::size_t bytes_ = 0;
};

}  // namespace n240qx
