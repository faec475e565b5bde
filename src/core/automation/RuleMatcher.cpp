#include "automation/RuleMatcher.h"

#include <algorithm>

#include "util/AsciiText.h"

namespace n240qx {

namespace {

// Windows paths reach us too, in a Wine program's arguments.
std::string_view FileName(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view WithoutExe(std::string_view name) {
  constexpr std::string_view kExe = ".exe";
  if (name.size() > kExe.size() && SameLetters(name.substr(name.size() - kExe.size()), kExe)) {
    return name.substr(0, name.size() - kExe.size());
  }
  return name;
}

bool SameProgram(std::string_view pattern, std::string_view path) {
  return !path.empty() && SameLetters(WithoutExe(pattern), WithoutExe(FileName(path)));
}

}  // namespace

bool RuleMatcher::MatchesProgram(std::string_view pattern, const RunningProgram& program) {
  return SameProgram(pattern, program.name) || SameProgram(pattern, program.executable) ||
         std::ranges::any_of(program.arguments,
                             [&](const std::string& word) { return SameProgram(pattern, word); });
}

bool RuleMatcher::Holds(const AutomationRule& rule, const std::optional<ActiveWindow>& window,
                        std::span<const RunningProgram> programs) {
  switch (rule.condition) {
    case AutomationRule::Condition::kProcess:
      return std::ranges::any_of(programs, [&](const RunningProgram& program) {
        return MatchesProgram(rule.pattern, program);
      });
    case AutomationRule::Condition::kWindowClass:
      return window && (SameLetters(rule.pattern, window->class_name) ||
                        SameLetters(rule.pattern, window->instance_name));
    case AutomationRule::Condition::kWindowTitle:
      return window && ContainsLetters(window->title, rule.pattern);
  }
  return false;
}

std::optional<RulePick> RuleMatcher::Pick(const std::optional<ActiveWindow>& window,
                                          std::span<const RunningProgram> programs) const {
  const auto& rules = rules_.rules();
  for (std::size_t index = 0; index < rules.size(); ++index) {
    if (Holds(rules[index], window, programs)) {
      return RulePick{rules[index].profile, index};
    }
  }
  if (rules_.default_profile()) {
    return RulePick{*rules_.default_profile(), std::nullopt};
  }
  return std::nullopt;
}

}  // namespace n240qx
