#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Texts.h"
#include "automation/AutomationRules.h"
#include "automation/RulePick.h"
#include "automation/SwitchStep.h"

namespace n240qx {

// The title strip's and the tray tip's line about the profile rules: which rule chose the
// profile the keyboard holds, or which profile waits and for what. Empty while the rules have
// nothing to say (no rule holds, or the profile was chosen by hand).
class SwitchStatusText {
 public:
  // `step` is the switcher's Peek(), `chosen_by` its chosen_by().
  static std::string For(const SwitchStep& step, const std::optional<RulePick>& chosen_by,
                         const AutomationRules& rules, const Texts& texts);
  // The rules as the tray menu lists them, by the numbers `n240qx-ctl rules list` gives them
  // and the default last; one line saying there are none.
  static std::vector<std::string> Lines(const AutomationRules& rules, const Texts& texts);

 private:
  static std::string Chosen(const RulePick& pick, const AutomationRules& rules, const Texts& texts);
  static std::string Waiting(const SwitchStep& step, const Texts& texts);
};

}  // namespace n240qx
