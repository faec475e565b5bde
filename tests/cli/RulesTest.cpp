#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class RulesTest : public CliFixture {
 protected:
  // A library profile is a file there; the rules only ask whether it is.
  void AddProfiles(std::initializer_list<const char*> names) {
    std::filesystem::create_directories(data_dir / "profiles");
    for (const char* name : names) {
      std::ofstream(data_dir / "profiles" / (std::string(name) + ".json")) << "{}\n";
    }
  }
  std::string RulesFileText() const {
    std::ifstream in(data_dir / "rules.json");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(RulesTest, AddedRulesAreListedInOrderAndRemovedByNumber) {
  AddProfiles({"race", "desk"});
  for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
           {"rules", "add", "race", "--process", "game.exe"},
           {"rules", "add", "--window-title", "Text Editor", "desk"},
           {"rules", "add", "race", "--window-class", "steam"},
           {"rules", "default", "desk"},
           {"rules", "remove", "1"}}) {
    const CliResult done = Run(words);
    ASSERT_EQ(done.exit_code, 0) << words[2] << ": " << done.err;
  }
  const auto listed = ParseJson(Run({"--json", "rules", "list"}).out);
  ASSERT_TRUE(listed);
  EXPECT_EQ((*listed)["default"].String(), "desk");
  ASSERT_EQ((*listed)["rules"].Items().size(), 2U);
  EXPECT_EQ((*listed)["rules"][0]["number"].Number(), 1);
  EXPECT_EQ((*listed)["rules"][0]["condition"].String(), "window-title");
  EXPECT_EQ((*listed)["rules"][0]["pattern"].String(), "Text Editor");
  EXPECT_EQ((*listed)["rules"][1]["profile"].String(), "race");
  const CliResult text = Run({"rules", "list"});
  EXPECT_THAT(text.out, HasSubstr("2  window-class  steam        race\n"));
  EXPECT_THAT(text.out, HasSubstr("default: desk\n"));
  EXPECT_TRUE(FeaturesSent().empty()) << "rules never touch the keyboard";
}

TEST_F(RulesTest, RefusalsSayWhyAndLeaveTheRulesAsTheyWere) {
  AddProfiles({"race", "desk"});
  ASSERT_EQ(Run({"rules", "add", "race", "--process", "game"}).exit_code, 0);
  const std::string before = RulesFileText();
  const struct {
    std::vector<std::string> words;
    const char* says;
  } kCases[] = {
      {{"rules", "add", "gone", "--process", "x"}, "the profiles are: desk, race"},
      {{"rules", "add", "race"}, "use: rules list"},
      {{"rules", "add", "race", "--process", "a", "--window-class", "b"}, "use: rules list"},
      {{"rules", "add", "race", "--process", "/usr/bin/game"}, "not a path"},
      {{"rules", "add", "race", "--cpu", "9"}, "--cpu is not an option of rules"},
      {{"rules", "remove", "2"}, "no rule 2: the rules are 1-1"},
      {{"rules", "remove", "first"}, "no rule number"},
      {{"rules", "default", "gone"}, "no profile \"gone\""},
      {{"rules", "sort"}, "use: rules list"},
  };
  for (const auto& c : kCases) {
    const CliResult result = Run(c.words);
    EXPECT_EQ(result.exit_code, 2) << c.says;
    EXPECT_THAT(result.err, HasSubstr(c.says));
  }
  EXPECT_EQ(RulesFileText(), before);

  std::ofstream(data_dir / "rules.json") << "{\"version\": 1, \"rules\": [";
  for (const auto& words : std::vector<std::vector<std::string>>{
           {"rules", "list"}, {"rules", "add", "desk", "--process", "x"}}) {
    const CliResult damaged = Run(words);
    EXPECT_EQ(damaged.exit_code, 4) << words[1];
    EXPECT_THAT(damaged.err, HasSubstr("rules.json is damaged")) << words[1];
  }
  EXPECT_EQ(RulesFileText(), "{\"version\": 1, \"rules\": [");
}

}  // namespace
}  // namespace n240qx::testing
