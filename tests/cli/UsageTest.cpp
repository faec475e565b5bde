#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "CliFixture.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class UsageTest : public CliFixture {};

TEST_F(UsageTest, EveryFormOfHelpPrintsUsageAndListsEachCommandOnItsOwnLine) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"-h"}, {"--help"}, {"help"}}) {
    const CliResult help = RunBare(words);
    EXPECT_EQ(help.exit_code, 0) << words[0];
    EXPECT_THAT(help.out, StartsWith("usage: n240qx-ctl")) << words[0];
    std::istringstream lines(help.out);
    std::vector<std::string> commands;
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("  ", 0) == 0 && line.find("n240qx-ctl ") == std::string::npos &&
          line[2] != '-' && line[2] != ' ') {
        commands.push_back(line.substr(2, line.find(' ', 2) - 2));
      }
      EXPECT_TRUE(line.empty() || line.back() != ' ') << "trailing space: " << line;
    }
    EXPECT_EQ(commands,
              (std::vector<std::string>{"status", "read", "apply", "set", "reset", "keys", "assign",
                                        "macros", "macro", "profile", "profiles", "backups",
                                        "restore", "diagnose", "rules", "help"}));
    EXPECT_THAT(help.out, HasSubstr("  n240qx-ctl assign Q combine LCtrl LAlt Del\n"));
  }
  for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
           {"help", "read"}, {"read", "--help"}, {"read", "-h"}}) {
    const CliResult help = RunBare(words);
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_THAT(help.out, HasSubstr("usage: n240qx-ctl [OPTIONS] read [--raw] [-o FILE|-]"));
    EXPECT_THAT(help.out, HasSubstr("\n  --raw "));
  }
  EXPECT_EQ(RunBare({"help", "dance"}).exit_code, 2);
}

TEST_F(UsageTest, MistakesAreNamedForWhatTheyAreAndNothingIsSent) {
  const struct {
    std::vector<std::string> words;
    const char* said;
  } kCases[] = {
      {{"set", "--bogus", "3"}, "--bogus is not an option of set"},
      {{"--bogus", "status"}, "--bogus is not an option of status"},
      {{"keys", "-x"}, "-x is not an option of keys"},
      {{"--simulate", "st", "read"}, "a state file goes after an '=': --simulate=st"},
      {{"set", "brightness=99"}, "brightness 99 is not allowed: use 0-50"},
      {{"set", "light_direction", "sideways"}, "left, right, top or bottom"},
  };
  for (const auto& mistake : kCases) {
    const CliResult result = Run(mistake.words);
    EXPECT_EQ(result.exit_code, 2) << mistake.said;
    EXPECT_THAT(result.err, HasSubstr(mistake.said));
    EXPECT_TRUE(FeaturesSent().empty()) << mistake.said;
  }
}

TEST_F(UsageTest, TheDataFolderIsCreatedOnlyToWriteAndAFileIsNoDataFolder) {
  const auto missing = dir / "nowhere";
  const CliResult listed = RunBare({"--data-dir", missing.string(), "macros"});
  EXPECT_EQ(listed.exit_code, 4);
  EXPECT_THAT(listed.err, HasSubstr(missing.string() + " does not exist"));
  EXPECT_FALSE(std::filesystem::exists(missing));

  const CliResult created = RunBare({"--data-dir", missing.string(), "macro", "new", "M"});
  EXPECT_EQ(created.exit_code, 0) << created.err;
  EXPECT_TRUE(std::filesystem::exists(missing / "MacroDefine.bin"));

  WriteBytes(dir / "plain", {1, 2, 3});
  for (const char* command : {"macros", "keys"}) {
    const CliResult refused = RunBare({"--data-dir", (dir / "plain").string(), command});
    EXPECT_EQ(refused.exit_code, 4) << command;
    EXPECT_THAT(refused.err, HasSubstr("is a file, not a folder")) << command;
  }
  const CliResult json = RunBare({"--json", "--data-dir", (dir / "plain").string(), "macros"});
  EXPECT_THAT(json.out, HasSubstr("\"exit_status\":4")) << "a failure is a JSON result too";
}

}  // namespace
}  // namespace n240qx::testing
