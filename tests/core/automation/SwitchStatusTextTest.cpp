#include <gtest/gtest.h>

#include "automation/SwitchStatusText.h"

namespace n240qx {
namespace {

using Kind = SwitchStep::Kind;
using Busy = SwitchStep::Busy;

TEST(SwitchStatusText, NamesTheChoosingRuleOrWhatTheWaitingProfileWaitsFor) {
  AutomationRules rules;
  ASSERT_TRUE(rules.Add({AutomationRule::Condition::kProcess, "steam", "race"}).ok());
  ASSERT_TRUE(rules.Add({AutomationRule::Condition::kWindowClass, "gimp", "paint"}).ok());
  const RulePick by_second{"paint", 1};
  const RulePick by_default{"desk", std::nullopt};
  const struct {
    const char* name;
    SwitchStep step;
    std::optional<RulePick> chosen_by;
    const char* english;
    const char* german;
  } kCases[] = {
      {"nothing chosen", {}, std::nullopt, "", ""},
      {"by a rule",
       {},
       by_second,
       "Profile paint by rule 2 (window-class gimp)",
       "Profil paint durch Regel 2 (window-class gimp)"},
      {"by the default",
       {Kind::kDwelling, RulePick{"race", 0}, Busy::kNone, 10},
       by_default,
       "Profile desk as the rules' default",
       "Profil desk als Vorgabe der Regeln"},
      {"a rule no longer in the file",
       {},
       RulePick{"old", 7},
       "Profile old by rule 8",
       "Profil old durch Regel 8"},
      {"waiting for edits",
       {Kind::kWaiting, RulePick{"race", 0}, Busy::kUnappliedEdits, std::nullopt},
       by_default,
       "Profile race waits: apply or undo your changes",
       "Profil race wartet: \u00DCbernimm oder verwirf Deine \u00C4nderungen"},
      {"waiting for a dialog",
       {Kind::kWaiting, RulePick{"race", 0}, Busy::kDialog, std::nullopt},
       std::nullopt,
       "Profile race waits for the open dialog",
       "Profil race wartet auf den offenen Dialog"},
      {"waiting for a sequence",
       {Kind::kWaiting, RulePick{"race", 0}, Busy::kSequence, std::nullopt},
       std::nullopt,
       "Profile race waits for the keyboard",
       "Profil race wartet auf die Tastatur"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SwitchStatusText::For(c.step, c.chosen_by, rules, Texts(Language::kEnglish)),
              c.english)
        << c.name;
    EXPECT_EQ(SwitchStatusText::For(c.step, c.chosen_by, rules, Texts(Language::kGerman)), c.german)
        << c.name;
  }
}

TEST(SwitchStatusText, ListsTheRulesByNumberAndTheDefaultLast) {
  AutomationRules rules;
  const Texts german(Language::kGerman);
  EXPECT_EQ(SwitchStatusText::Lines(rules, german), std::vector<std::string>{"Keine Regeln"});
  ASSERT_TRUE(rules.SetDefault("desk").ok());
  EXPECT_EQ(SwitchStatusText::Lines(rules, german), std::vector<std::string>{"Vorgabe: desk"});
  ASSERT_TRUE(rules.Add({AutomationRule::Condition::kWindowTitle, "YouTube", "film"}).ok());
  EXPECT_EQ(SwitchStatusText::Lines(rules, Texts()),
            (std::vector<std::string>{"1. window-title YouTube \u2192 film", "Default: desk"}));
}

}  // namespace
}  // namespace n240qx
