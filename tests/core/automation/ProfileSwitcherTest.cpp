#include <gtest/gtest.h>

#include <functional>

#include "automation/ProfileSwitcher.h"
#include "util/VirtualClock.h"

namespace n240qx {
namespace {

using Kind = SwitchStep::Kind;
using Busy = SwitchStep::Busy;
using Act = std::function<void(ProfileSwitcher&)>;

Act Pick(const char* profile, std::optional<std::size_t> rule) {
  return [=](ProfileSwitcher& switcher) { switcher.OnPick(RulePick{profile, rule}); };
}
Act NoPick() {
  return [](ProfileSwitcher& switcher) { switcher.OnPick(std::nullopt); };
}
Act Activity(WindowActivity activity) {
  return [=](ProfileSwitcher& switcher) { switcher.OnActivity(activity); };
}
Act ByHand(const char* profile) {
  return [=](ProfileSwitcher& switcher) { switcher.OnProfileChosen(profile); };
}
Act Written(bool succeeded) {
  return [=](ProfileSwitcher& switcher) { switcher.OnWriteFinished(succeeded); };
}
Act Nothing() {
  return [](ProfileSwitcher&) {};
}

// At `at_ms` the window passes on `act`, then asks Step() as it does on every news.
struct Moment {
  std::int64_t at_ms;
  Act act;
  Kind kind;
  std::int64_t wake_ms = -1;  // -1: no timer to arm
  Busy busy = Busy::kNone;
};

struct Story {
  const char* name;
  std::vector<Moment> moments;
  const char* current;  // the profile the keyboard holds at the end
  std::optional<std::size_t> chosen_by_rule;
};

TEST(ProfileSwitcher, SwitchesOnlyAfterTheDwellAtTheMinimumIntervalAndWhenFree) {
  const WindowActivity edits{false, true, false};
  const WindowActivity dialog{false, true, true};
  const WindowActivity sequence{true, true, true};
  const Story kStories[] = {
      {"dwell, then one write",
       {{0, ByHand("desk"), Kind::kNothing},
        {0, Pick("race", 0), Kind::kDwelling, 1500},
        {1499, Nothing(), Kind::kDwelling, 1500},
        {1500, Nothing(), Kind::kApply},
        {1600, Nothing(), Kind::kWriting},
        {4000, Written(true), Kind::kNothing}},
       "race",
       0},
      {"a window passed over is no reason to write",
       {{0, ByHand("desk"), Kind::kNothing},
        {0, Pick("race", 0), Kind::kDwelling, 1500},
        {700, Pick("desk", std::nullopt), Kind::kNothing},
        {9000, Nothing(), Kind::kNothing}},
       "desk",
       std::nullopt},
      {"the pick changing restarts the dwell, the next write waits for the interval",
       {{0, Pick("race", 0), Kind::kDwelling, 1500},
        {1000, Pick("film", 1), Kind::kDwelling, 2500},
        {2500, Nothing(), Kind::kApply},
        {3000, Written(true), Kind::kNothing},
        {3000, Pick("race", 0), Kind::kDwelling, 7500},
        {4500, Nothing(), Kind::kSpacing, 7500},
        {7500, Nothing(), Kind::kApply},
        {8000, Written(true), Kind::kNothing}},
       "race",
       0},
      {"a busy window makes the switch wait, and it goes as soon as the window is free",
       {{0, Pick("race", 0), Kind::kDwelling, 1500},
        {100, Activity(edits), Kind::kWaiting, -1, Busy::kUnappliedEdits},
        {2000, Activity(dialog), Kind::kWaiting, -1, Busy::kDialog},
        {2500, Activity(sequence), Kind::kWaiting, -1, Busy::kSequence},
        {3000, Activity({}), Kind::kApply},
        {3100, Written(true), Kind::kNothing}},
       "race",
       0},
      {"what the keyboard holds already is written no more; the rule is named",
       {{0, ByHand("race"), Kind::kNothing}, {0, Pick("race", 2), Kind::kNothing}},
       "race",
       2},
      {"a profile loaded by hand stands until the pick changes",
       {{0, Pick("race", 0), Kind::kDwelling, 1500},
        {500, ByHand("desk"), Kind::kNothing},
        {600, Pick("race", 0), Kind::kNothing},
        {9000, NoPick(), Kind::kNothing}},
       "desk",
       std::nullopt},
      {"a hand choice of what the rules pick is the rule's",
       {{0, Pick("race", 0), Kind::kDwelling, 1500},
        {500, ByHand("race"), Kind::kNothing},
        {9000, Nothing(), Kind::kNothing}},
       "race",
       0},
      {"a hand choice drops the waiting switch; a pick of it later writes nothing",
       {{0, Pick("race", 0), Kind::kDwelling, 1500},
        {500, ByHand("film"), Kind::kNothing},
        {600, Pick("race", 0), Kind::kNothing},
        {9000, Nothing(), Kind::kNothing},
        {9000, Pick("film", 1), Kind::kNothing}},
       "film",
       1},
      {"a failed switch is not tried again for the same pick",
       {{0, ByHand("desk"), Kind::kNothing},
        {0, Pick("race", 0), Kind::kDwelling, 1500},
        {1500, Nothing(), Kind::kApply},
        {2000, Written(false), Kind::kNothing},
        {9000, Nothing(), Kind::kNothing}},
       "desk",
       std::nullopt},
      {"a pick that moves back during the write is followed after the interval",
       {{0, ByHand("desk"), Kind::kNothing},
        {0, Pick("race", 0), Kind::kDwelling, 1500},
        {1500, Nothing(), Kind::kApply},
        {1600, Pick("desk", std::nullopt), Kind::kWriting},
        {2000, Written(true), Kind::kDwelling, 6500},
        {6500, Nothing(), Kind::kApply},
        {7000, Written(true), Kind::kNothing}},
       "desk",
       std::nullopt},
  };
  for (const Story& story : kStories) {
    VirtualClock clock;
    ProfileSwitcher switcher(clock);
    for (const Moment& moment : story.moments) {
      clock.AdvanceUs(moment.at_ms * 1000 - clock.NowUs());
      moment.act(switcher);
      const std::optional<std::int64_t> wake = switcher.WakeAtUs();
      const SwitchStep step = switcher.Step();
      const std::string where = std::string(story.name) + " at " + std::to_string(moment.at_ms);
      EXPECT_EQ(step.kind, moment.kind) << where;
      EXPECT_EQ(step.waiting_for, moment.busy) << where;
      EXPECT_EQ(wake.value_or(-1000), moment.wake_ms * 1000) << where;
    }
    EXPECT_EQ(switcher.current_profile(), story.current) << story.name;
    const auto& chosen = switcher.chosen_by();
    EXPECT_EQ(chosen && chosen->rule ? chosen->rule : std::nullopt, story.chosen_by_rule)
        << story.name;
  }
}

TEST(ProfileSwitcher, ScansRunningProgramsOnlyWhileAProcessRuleNeedsThem) {
  VirtualClock clock;
  const ProfileSwitcher switcher(
      clock, {.dwell_us = 1, .min_interval_us = 1, .process_scan_us = 3'000'000});
  AutomationRules rules;
  ASSERT_TRUE(rules.Add({AutomationRule::Condition::kWindowTitle, "Editor", "work"}).ok());
  EXPECT_EQ(switcher.ProcessScanUs(rules), std::nullopt);
  ASSERT_TRUE(rules.Add({AutomationRule::Condition::kProcess, "game.exe", "race"}).ok());
  EXPECT_EQ(switcher.ProcessScanUs(rules), 3'000'000);
}

}  // namespace
}  // namespace n240qx
