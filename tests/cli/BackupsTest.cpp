#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class BackupsTest : public CliFixture {
 protected:
  JsonValue RunJson(const std::vector<std::string>& words) {
    std::vector<std::string> arguments{"--json"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    auto json = ParseJson(result.out);
    EXPECT_TRUE(json) << result.out;
    return json ? *json : JsonValue{};
  }
  std::vector<std::string> Changed() {
    const JsonValue listed = RunJson({"backups"});
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < listed.Items().size(); ++i) {
      changed.push_back(listed[i]["changed"].String());
    }
    return changed;
  }
};

TEST_F(BackupsTest, EveryWriteIsBackedUpAndRestoreBringsTheSettingBack) {
  const auto brightness = RunJson({"read"})["brightness"].Number();
  ASSERT_EQ(Run({"set", "brightness", "20", "game-mode", "on"}).exit_code, 0);
  ASSERT_EQ(Run({"set", "brightness", "20"}).exit_code, 0);  // sends nothing, backs up nothing
  EXPECT_THAT(Changed(), ::testing::ElementsAre("lighting, game mode"));
  const CliResult table = Run({"backups"});
  EXPECT_THAT(table.out, HasSubstr("lighting, game mode"));

  const CliResult restored = Run({"restore", "1"});
  ASSERT_EQ(restored.exit_code, 0) << restored.err;
  EXPECT_EQ(WriteFeaturesSent().size(), 5U)
      << "brackets, two lighting frames and the game mode: only what the set changed";
  const JsonValue after = RunJson({"read"});
  EXPECT_EQ(after["brightness"].Number(), brightness);
  EXPECT_FALSE(after["game_mode"].Bool());
  EXPECT_THAT(Changed(), ::testing::ElementsAre("lighting, game mode", "lighting, game mode"))
      << "the restore backed up what it replaced";
}

// A number shifts with every write, a file name does not; both restore, saying what changed.
TEST_F(BackupsTest, RestoreByNameOrNumberSaysWhatChangedAndThatNumbersShift) {
  ASSERT_EQ(Run({"set", "brightness", "20"}).exit_code, 0);
  ASSERT_EQ(Run({"set", "brightness", "30"}).exit_code, 0);
  const std::string oldest = RunJson({"backups"})[1]["file"].String();
  const std::string name = oldest.substr(oldest.rfind('/') + 1);
  const struct {
    std::string word;
    const char* said;
  } kCases[] = {
      {name, "brightness: 30 -> "},
      {"2", "brightness: "},
  };
  for (const auto& chosen : kCases) {
    const CliResult restored = Run({"restore", chosen.word});
    ASSERT_EQ(restored.exit_code, 0) << chosen.word << ": " << restored.err;
    EXPECT_THAT(restored.out, HasSubstr(chosen.said)) << chosen.word;
    EXPECT_THAT(restored.out, HasSubstr("went up by one")) << chosen.word;
  }
  EXPECT_EQ(RunJson({"read"})["brightness"].Number(), 20) << "backup 2 was then the set to 30";
  const CliResult missing = Run({"restore", "20990101-000000-000-0_lighting.bin"});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_THAT(missing.err, HasSubstr("no backup named"));
  EXPECT_TRUE(FeaturesSent().empty());
}

// A backup of key assignments changes no setting, and the restore says so by key.
TEST_F(BackupsTest, RestoreNamesTheKeysItChangedBack) {
  ASSERT_EQ(Run({"assign", "Q", "single", "A", "W", "disable"}).exit_code, 0);
  const CliResult restored = Run({"restore", "1"});
  ASSERT_EQ(restored.exit_code, 0) << restored.err;
  for (const char* said : {"\nQ: A -> Q\n", "\nW enabled: no -> yes\n"}) {
    EXPECT_THAT(restored.out, HasSubstr(said));
  }
  EXPECT_THAT(restored.out, ::testing::Not(HasSubstr("nothing changed")));
}

TEST_F(BackupsTest, ResetIsBackedUpAndBadNumbersAreRefusedSendingNothing) {
  ASSERT_EQ(Run({"reset", "--yes"}).exit_code, 0);
  EXPECT_THAT(Changed(), ::testing::ElementsAre("factory reset"));
  for (const char* number : {"0", "2", "x", "-1"}) {
    const CliResult refused = Run({"restore", number});
    EXPECT_EQ(refused.exit_code, 2) << number;
    EXPECT_THAT(refused.err, HasSubstr("backup")) << number;
    EXPECT_TRUE(FeaturesSent().empty()) << number;
  }
  EXPECT_EQ(Run({"restore"}).exit_code, 2);
}

TEST_F(BackupsTest, ADamagedBackupIsListedAndNotRestored) {
  ASSERT_EQ(Run({"set", "speed", "3"}).exit_code, 0);
  const JsonValue listed = RunJson({"backups"});
  ASSERT_EQ(listed.Items().size(), 1U);
  const std::filesystem::path file = listed[std::size_t{0}]["file"].String();
  WriteBytes(file, {1, 2, 3});
  EXPECT_TRUE(RunJson({"backups"})[std::size_t{0}]["damaged"].Bool());
  const CliResult refused = Run({"restore", "1"});
  EXPECT_EQ(refused.exit_code, 4);
  EXPECT_THAT(refused.err, HasSubstr(file.filename().string()));
  EXPECT_TRUE(FeaturesSent().empty());
}

}  // namespace
}  // namespace n240qx::testing
