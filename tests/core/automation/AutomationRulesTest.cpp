#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "automation/AutomationRules.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

using ::testing::HasSubstr;
using Condition = AutomationRule::Condition;

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(AutomationRules, SavedRulesLoadBackInTheirOrderWithTheDefault) {
  testing::TempDir temp;
  const auto file = temp.path() / "rules.json";
  auto rules = AutomationRules::Load(file);
  ASSERT_TRUE(rules.ok()) << "no file is no rules";
  EXPECT_TRUE(rules->rules().empty());
  ASSERT_TRUE(rules->Add({Condition::kProcess, "game.exe", "race"}).ok());
  ASSERT_TRUE(rules->Add({Condition::kWindowTitle, "Ünïcode \"quoted\"", "work"}).ok());
  ASSERT_TRUE(rules->Add({Condition::kWindowClass, "Steam", "race"}).ok());
  ASSERT_TRUE(rules->SetDefault("desk").ok());
  ASSERT_TRUE(rules->Remove(3).ok());
  ASSERT_TRUE(rules->Save(file).ok());

  const auto loaded = AutomationRules::Load(file);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  EXPECT_EQ(*loaded, *rules);
  EXPECT_EQ(loaded->rules().size(), 2U);
  EXPECT_EQ(loaded->default_profile(), "desk");
  EXPECT_TRUE(loaded->HasProcessRule());
}

TEST(AutomationRules, RefusedEditsSayWhyAndChangeNothing) {
  AutomationRules rules;
  ASSERT_TRUE(rules.Add({Condition::kWindowClass, "code", "work"}).ok());
  const AutomationRules before = rules;
  const struct {
    Status status;
    const char* says;
  } kCases[] = {
      {rules.Add({Condition::kProcess, "", "race"}), "empty"},
      {rules.Add({Condition::kProcess, "/usr/bin/game", "race"}), "not a path"},
      {rules.Add({Condition::kWindowTitle, "two\nlines", "race"}), "one line"},
      {rules.Add({Condition::kWindowTitle, "x", "../keymap"}), "not a path"},
      {rules.Remove(0), "the rules are 1-1"},
      {rules.Remove(2), "no rule 2"},
      {rules.SetDefault(".hidden"), "may not start with '.'"},
  };
  for (const auto& c : kCases) {
    ASSERT_FALSE(c.status.ok()) << c.says;
    EXPECT_THAT(c.status.error().message, HasSubstr(c.says));
  }
  EXPECT_EQ(rules, before);
}

TEST(AutomationRules, ADamagedFileIsNamedAndNeverOverwritten) {
  testing::TempDir temp;
  const auto file = temp.path() / "rules.json";
  const struct {
    const char* text;
    const char* says;
  } kCases[] = {
      {"{\"version\": 1, \"rules\": [", "line 1"},
      {"{\"rules\": []}", "missing field \"version\""},
      {"{\"version\": 2, \"rules\": []}", "newer layout"},
      {"{\"version\": 1, \"rules\": [{\"condition\": \"cpu\", \"pattern\": \"x\", "
       "\"profile\": \"p\"}]}",
       "rules[0].condition"},
      {"{\"version\": 1, \"rules\": [{\"condition\": \"process\", \"pattern\": \"x\", "
       "\"profile\": \"a/b\"}]}",
       "rules[0]: \"a/b\" cannot name a profile"},
      {"{\"version\": 1, \"default\": 3, \"rules\": []}", "default: a text expected"},
      {"{\"version\": 1, \"rules\": [], \"extra\": 0}", "unknown field \"extra\""},
  };
  for (const auto& c : kCases) {
    std::ofstream(file) << c.text;
    const auto loaded = AutomationRules::Load(file);
    ASSERT_FALSE(loaded.ok()) << c.text;
    EXPECT_EQ(loaded.error().code, ErrorCode::kBadData);
    EXPECT_THAT(loaded.error().message, HasSubstr(file.string())) << c.text;
    EXPECT_THAT(loaded.error().message, HasSubstr(c.says)) << loaded.error().message;
    EXPECT_FALSE(AutomationRules().Save(file).ok()) << c.text;
    EXPECT_EQ(Contents(file), c.text) << "the damaged file is kept as it was";
  }
  // The window says it in its own language, position and all.
  std::ofstream(file) << kCases[0].text;
  EXPECT_THAT(AutomationRules::Load(file, Language::kGerman).error().message,
              HasSubstr(" ist besch\u00E4digt (Zeile 1, Spalte 26: "));
  for (const auto& [at, german] :
       {std::pair{2, "(version: 2 ist ein neueres Format, als dieses Programm liest (1))"},
        std::pair{4, "rules[0]: \"a/b\" kann kein Profil benennen: ein Name, kein Pfad"}}) {
    std::ofstream(file) << kCases[at].text;
    EXPECT_THAT(AutomationRules::Load(file, Language::kGerman).error().message, HasSubstr(german));
  }
}

}  // namespace
}  // namespace n240qx
