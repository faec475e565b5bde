#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class WriteSafetyTest : public CliFixture {
 protected:
  double Brightness() {
    const auto read = ParseJson(Run({"--json", "read"}).out);
    return read ? (*read)["brightness"].Number() : -1;
  }
};

// A file where the backups folder should be: no backup can be saved, and the refusal names the
// way past it.
TEST_F(WriteSafetyTest, ABackupThatCannotBeSavedNamesNoBackupWhichSendsAnyway) {
  std::ofstream(data_dir / "backups") << "in the way";
  const auto before = Brightness();
  const CliResult refused = Run({"set", "brightness", before == 20 ? "21" : "20"});
  EXPECT_EQ(refused.exit_code, 4);
  EXPECT_THAT(refused.err, HasSubstr("nothing was sent; --no-backup sends without a backup"));
  EXPECT_TRUE(WriteFeaturesSent().empty());

  const CliResult sent = Run({"set", "brightness", before == 20 ? "21" : "20", "--no-backup"});
  ASSERT_EQ(sent.exit_code, 0) << sent.err;
  EXPECT_FALSE(WriteFeaturesSent().empty());
  EXPECT_NE(Brightness(), before);
}

// A profile from elsewhere that makes a key start a program is refused until allowed; once the
// configuration holds the same launch, the profile asks nothing.
TEST_F(WriteSafetyTest, LaunchPathsAProfileBringsNeedAllowLaunch) {
  const std::string profile = (dir / "shared.bin").string();
  ASSERT_EQ(Run({"assign", "Q", "open-file", "/usr/bin/xterm"}).exit_code, 0);
  ASSERT_EQ(Run({"profile", "export", profile}).exit_code, 0);
  ASSERT_EQ(Run({"assign", "Q", "default"}).exit_code, 0);
  const struct {
    std::vector<std::string> words;
    int exit_code;
  } kRuns[] = {
      {{"apply", profile}, 4},
      {{"profile", "import", profile}, 4},
      {{"apply", profile, "--allow-launch"}, 0},
      {{"apply", profile}, 0},
  };
  for (const auto& run : kRuns) {
    const CliResult result = Run(run.words);
    EXPECT_EQ(result.exit_code, run.exit_code) << run.words[0] << ": " << result.err;
    if (run.exit_code != 0) {
      EXPECT_THAT(result.err, HasSubstr("\n  Q: open-file /usr/bin/xterm\n(--allow-launch takes"));
      EXPECT_TRUE(WriteFeaturesSent().empty()) << run.words[0];
      EXPECT_THAT(Run({"keys"}).out, ::testing::Not(HasSubstr("xterm"))) << run.words[0];
    }
  }
  EXPECT_THAT(Run({"keys"}).out, HasSubstr("open-file /usr/bin/xterm"));
}

}  // namespace
}  // namespace n240qx::testing
