#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "automation/ActiveWindow.h"
#include "automation/AutomationRule.h"
#include "automation/AutomationRules.h"
#include "automation/RulePick.h"
#include "automation/RunningProgram.h"

namespace n240qx {

// Which profile the rules want for what is known now. Letters compare in any case (ASCII), so
// a rule typed as "Steam" holds for "steam".
class RuleMatcher {
 public:
  explicit RuleMatcher(const AutomationRules& rules) : rules_(rules) {}

  // The first rule that holds; else the default profile; else none. No window is known before
  // the window system has named one.
  std::optional<RulePick> Pick(const std::optional<ActiveWindow>& window,
                               std::span<const RunningProgram> programs) const;

  // A process rule holds for a program whose executable, kernel name or any argument has the
  // pattern as its file name, with or without ".exe": Wine and Proton start `game.exe` as an
  // argument of their loader.
  static bool MatchesProgram(std::string_view pattern, const RunningProgram& program);
  static bool Holds(const AutomationRule& rule, const std::optional<ActiveWindow>& window,
                    std::span<const RunningProgram> programs);

 private:
  const AutomationRules& rules_;
};

}  // namespace n240qx
