#include <gtest/gtest.h>

#include "automation/RuleMatcher.h"

namespace n240qx {

void PrintTo(const RulePick& pick, std::ostream* out) {
  *out << pick.profile << " by rule " << (pick.rule ? std::to_string(*pick.rule) : "default");
}

namespace {

using Condition = AutomationRule::Condition;

const RunningProgram kProton{
    4242,
    "wine64-preload",
    "/usr/lib/wine/wine64-preload",
    {"/usr/lib/wine/wine64-preload", "C:\\Games\\Race\\Game.EXE", "-windowed"}};
const RunningProgram kNative{17, "supertuxkart", "/usr/games/supertuxkart", {"supertuxkart"}};

TEST(RuleMatcher, AProcessRuleNamesAProgramsFileWithOrWithoutExe) {
  const struct {
    const char* pattern;
    const RunningProgram& program;
    bool matches;
  } kCases[] = {
      {"game.exe", kProton, true},       {"GAME", kProton, true},
      {"game.exe.exe", kProton, false},  {"Race", kProton, false},
      {"wine64-preload", kProton, true}, {"windowed", kProton, false},
      {"supertuxkart", kNative, true},   {"supertuxkart.exe", kNative, true},
      {"supertux", kNative, false},      {"games", kNative, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RuleMatcher::MatchesProgram(c.pattern, c.program), c.matches) << c.pattern;
  }
}

TEST(RuleMatcher, TheFirstRuleThatHoldsWinsElseTheDefaultElseNone) {
  AutomationRules rules;
  ASSERT_TRUE(rules.Add({Condition::kWindowClass, "firefox", "web"}).ok());
  ASSERT_TRUE(rules.Add({Condition::kWindowTitle, "youtube", "film"}).ok());
  ASSERT_TRUE(rules.Add({Condition::kProcess, "game.exe", "race"}).ok());
  const RuleMatcher matcher(rules);
  const ActiveWindow browser{"Navigator", "Firefox", "Music - YouTube", 9};
  const ActiveWindow player{"mpv", "mpv", "YouTube clip", 10};
  const ActiveWindow terminal{"xterm", "XTerm", "bash", 11};
  const std::vector<RunningProgram> playing{kNative, kProton};
  const struct {
    std::optional<ActiveWindow> window;
    std::vector<RunningProgram> programs;
    std::optional<RulePick> picked_without_default;
  } kCases[] = {
      {browser, playing, RulePick{"web", 0}},
      {ActiveWindow{"firefox", "Firefox-esr", "", 0}, {}, RulePick{"web", 0}},
      {player, playing, RulePick{"film", 1}},
      {terminal, playing, RulePick{"race", 2}},
      {std::nullopt, playing, RulePick{"race", 2}},
      {terminal, {kNative}, std::nullopt},
      {std::nullopt, {}, std::nullopt},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(matcher.Pick(c.window, c.programs), c.picked_without_default);
  }
  ASSERT_TRUE(rules.SetDefault("desk").ok());
  EXPECT_EQ(matcher.Pick(terminal, {}), (RulePick{"desk", std::nullopt}));
  EXPECT_EQ(matcher.Pick(browser, {}), (RulePick{"web", 0}));
}

}  // namespace
}  // namespace n240qx
