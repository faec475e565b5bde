#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class ProfilesTest : public CliFixture {};

// A profile saved from the keyboard comes back by its name, and only what differs is sent.
TEST_F(ProfilesTest, SaveThenApplyByNameWritesOnlyTheDifference) {
  ASSERT_EQ(Run({"set", "brightness", "20"}).exit_code, 0);
  const CliResult saved = Run({"profiles", "save", "dim"});
  ASSERT_EQ(saved.exit_code, 0) << saved.err;
  EXPECT_TRUE(WriteFeaturesSent().empty()) << "save reads, never writes";
  ASSERT_EQ(Run({"set", "brightness", "40"}).exit_code, 0);

  const auto listed = ParseJson(Run({"--json", "profiles", "list"}).out);
  ASSERT_TRUE(listed && listed->Items().size() == 1);
  EXPECT_EQ(listed->Items()[0].String(), "dim");
  const auto shown = ParseJson(Run({"profiles", "show", "dim"}).out);
  ASSERT_TRUE(shown);
  EXPECT_EQ((*shown)["brightness"].Number(), 20);

  const CliResult applied = Run({"profiles", "apply", "dim"});
  ASSERT_EQ(applied.exit_code, 0) << applied.err;
  EXPECT_THAT(applied.out, HasSubstr("applied"));
  const auto writes = WriteFeaturesSent();
  EXPECT_FALSE(writes.empty());
  EXPECT_LT(writes.size(), 40U) << "the lighting only, not every region";
  const auto read = ParseJson(Run({"--json", "read"}).out);
  ASSERT_TRUE(read);
  EXPECT_EQ((*read)["brightness"].Number(), 20);
  EXPECT_THAT(Run({"profiles", "apply", "dim"}).out, HasSubstr("nothing changed"));
}

TEST_F(ProfilesTest, BadNamesAndMissingProfilesAreUsageErrorsThatChangeNothing) {
  ASSERT_EQ(Run({"profiles", "save", "keep"}).exit_code, 0);
  const struct {
    std::vector<std::string> words;
    const char* says;
  } kCases[] = {
      {{"profiles", "save", "../keymap"}, "not a path"},
      {{"profiles", "apply", "gone"}, "no profile \"gone\""},
      {{"profiles", "show", "gone"}, "no profile \"gone\""},
      {{"profiles", "delete", "gone"}, "no profile \"gone\""},
      {{"profiles", "rename", "keep", "a\nb"}, "control character"},
      {{"profiles", "rename", "keep", "keep2", "extra"}, "use: profiles"},
  };
  for (const auto& c : kCases) {
    const CliResult result = Run(c.words);
    EXPECT_EQ(result.exit_code, 2) << c.words[1];
    EXPECT_THAT(result.err, HasSubstr(c.says)) << c.words[1];
  }
  EXPECT_TRUE(WriteFeaturesSent().empty());
  EXPECT_EQ(Run({"profiles", "list"}).out, "keep\n");
}

}  // namespace
}  // namespace n240qx::testing
