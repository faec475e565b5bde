#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "automation/AutomationRules.h"
#include "automation/RulePick.h"
#include "automation/SwitchStep.h"
#include "automation/WindowActivity.h"
#include "util/Clock.h"

namespace n240qx {

// When an automatic profile switch may write. A switch follows a change of the rules' pick:
// once a pick is taken (written, found in place, or failed) it is not pushed again until the
// pick changes, so a profile the user loads by hand stays until the next program or window
// changes the pick. Nothing here runs by itself: the window asks Step() on every news and at
// WakeAtUs(), and arms a timer only while that has a value.
class ProfileSwitcher {
 public:
  struct Timing {
    // A window passed over on the way to another (Alt+Tab) is no reason to write.
    std::int64_t dwell_us = 1'500'000;
    // Each write costs the keyboard seconds of its own; a flickering pick must not hog it.
    std::int64_t min_interval_us = 5'000'000;
    std::int64_t process_scan_us = 2'000'000;
  };

  explicit ProfileSwitcher(const Clock& clock) : ProfileSwitcher(clock, Timing{}) {}
  ProfileSwitcher(const Clock& clock, Timing timing) : clock_(clock), timing_(timing) {}

  // The matcher's pick for what is known now; the same pick again changes nothing.
  void OnPick(const std::optional<RulePick>& pick);
  void OnActivity(const WindowActivity& activity) { activity_ = activity; }
  // The user's own choice of a profile (from the tray, the bus or a profile key; none for
  // what is no library profile): it stands until the pick changes, a switch waiting for the
  // pick before it is dropped, and the default's return compares with it. When it is what the
  // pick wants anyway, the pick's rule is named as choosing it.
  void OnProfileChosen(std::optional<std::string> profile);

  // What would happen now, without starting anything: for the title strip.
  SwitchStep Peek() const;
  // The same; a kApply marks the write as under way until OnWriteFinished.
  SwitchStep Step();
  // A failed switch is not tried again for this pick: the window shows why.
  void OnWriteFinished(bool succeeded);

  // When to ask Step() again if nothing else happens; none while nothing waits for time.
  std::optional<std::int64_t> WakeAtUs() const { return Peek().wake_at_us; }
  // How often to scan the running programs; none while no rule needs them.
  std::optional<std::int64_t> ProcessScanUs(const AutomationRules& rules) const;

  const std::optional<std::string>& current_profile() const { return current_; }
  // What put the current profile there: a rule (or the default, `rule` none); none after a
  // choice by hand.
  const std::optional<RulePick>& chosen_by() const { return chosen_by_; }

 private:
  struct Pending {
    RulePick pick;
    std::int64_t since_us;
  };

  // The keyboard holds the pick already, or it waits from now (or from when it first came).
  void Settle(const RulePick& pick);
  std::int64_t DueUs(const Pending& pending) const;
  static SwitchStep::Busy BusyReason(const WindowActivity& activity);

  const Clock& clock_;
  Timing timing_;
  WindowActivity activity_;
  std::optional<RulePick> last_pick_;
  std::optional<Pending> pending_;
  std::optional<RulePick> writing_;
  std::optional<std::int64_t> last_write_us_;
  std::optional<std::string> current_;
  std::optional<RulePick> chosen_by_;
};

}  // namespace n240qx
