#pragma once

#include <cstdint>
#include <optional>

#include "automation/RulePick.h"

namespace n240qx {

// What the profile switcher says now, for the window to act on and to show.
struct SwitchStep {
  enum class Kind {
    kNothing,   // the keyboard holds what the rules want, or they want nothing
    kDwelling,  // the pick has not held long enough yet
    kSpacing,   // the last automatic write was too recent
    kWaiting,   // the window is busy; see `waiting_for`
    kWriting,   // an automatic write is under way
    kApply,     // load `pick` and write the difference, with no backup
  };
  enum class Busy { kNone, kSequence, kDialog, kUnappliedEdits };

  Kind kind = Kind::kNothing;
  std::optional<RulePick> pick;
  Busy waiting_for = Busy::kNone;
  // When the switcher must be asked again without any other news (kDwelling, kSpacing).
  std::optional<std::int64_t> wake_at_us;

  bool operator==(const SwitchStep&) const = default;
};

}  // namespace n240qx
