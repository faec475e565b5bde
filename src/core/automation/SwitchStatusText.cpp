#include "automation/SwitchStatusText.h"

namespace n240qx {

namespace {

std::string ProfileWords(const std::string& profile, const Texts& texts) {
  return std::string(texts.Get(TextId::kRuleProfile)) + profile;
}

TextId WaitText(SwitchStep::Busy busy) {
  switch (busy) {
    case SwitchStep::Busy::kDialog:
      return TextId::kRuleWaitsForDialog;
    case SwitchStep::Busy::kUnappliedEdits:
      return TextId::kRuleWaitsForEdits;
    case SwitchStep::Busy::kSequence:
    case SwitchStep::Busy::kNone:
      break;
  }
  return TextId::kRuleWaitsForSequence;
}

// "process steam": the words of `n240qx-ctl rules add`.
std::string ConditionWords(const AutomationRule& rule) {
  return std::string(AutomationRule::Word(rule.condition)) + " " + rule.pattern;
}

}  // namespace

std::vector<std::string> SwitchStatusText::Lines(const AutomationRules& rules, const Texts& texts) {
  std::vector<std::string> lines;
  for (std::size_t index = 0; index < rules.rules().size(); ++index) {
    const AutomationRule& rule = rules.rules()[index];
    lines.push_back(std::to_string(index + 1) + ". " + ConditionWords(rule) + " \u2192 " +
                    rule.profile);
  }
  if (rules.default_profile()) {
    lines.push_back(std::string(texts.Get(TextId::kTrayRulesDefault)) + *rules.default_profile());
  }
  if (lines.empty()) {
    lines.emplace_back(texts.Get(TextId::kTrayNoRules));
  }
  return lines;
}

std::string SwitchStatusText::For(const SwitchStep& step, const std::optional<RulePick>& chosen_by,
                                  const AutomationRules& rules, const Texts& texts) {
  // Waiting says more than what stands: the user can end the wait.
  if (step.kind == SwitchStep::Kind::kWaiting && step.pick) {
    return Waiting(step, texts);
  }
  return chosen_by ? Chosen(*chosen_by, rules, texts) : std::string();
}

std::string SwitchStatusText::Chosen(const RulePick& pick, const AutomationRules& rules,
                                     const Texts& texts) {
  std::string text = ProfileWords(pick.profile, texts);
  if (!pick.rule) {
    return text.append(texts.Get(TextId::kRuleDefaultProfile));
  }
  // Numbered from 1, as `n240qx-ctl rules list` shows them.
  text.append(texts.Get(TextId::kRuleChoseProfile)).append(std::to_string(*pick.rule + 1));
  if (*pick.rule < rules.rules().size()) {
    text.append(" (").append(ConditionWords(rules.rules()[*pick.rule])).append(")");
  }
  return text;
}

std::string SwitchStatusText::Waiting(const SwitchStep& step, const Texts& texts) {
  return ProfileWords(step.pick->profile, texts).append(texts.Get(WaitText(step.waiting_for)));
}

}  // namespace n240qx
