#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "CliFixture.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class StoredTextTest : public CliFixture {
 protected:
  // Q opens /tmp/x; then the file's x becomes `unit`, as another program or a damaged file
  // could leave it.
  void StoreLaunchPathEnding(char16_t unit) {
    ASSERT_EQ(Run({"assign", "Q", "open-file", "/tmp/x"}).exit_code, 0);
    auto bytes = ReadBytes(data_dir / "keymap.bin");
    const std::vector<std::uint8_t> path = {'/', 0, 't', 0, 'm', 0, 'p', 0, '/', 0, 'x', 0};
    const auto found = std::search(bytes.begin(), bytes.end(), path.begin(), path.end());
    ASSERT_NE(found, bytes.end());
    *(found + 10) = static_cast<std::uint8_t>(unit);
    WriteBytes(data_dir / "keymap.bin", bytes);
  }
};

TEST_F(StoredTextTest, ControlCharactersInNamesAndLaunchPathsAreRefused) {
  const std::filesystem::path two_lines = dir / "two\nlines.bin";
  std::ofstream(two_lines, std::ios::binary) << std::string(100, '\0');
  const struct {
    std::vector<std::string> words;
    const char* says;
  } kCases[] = {
      {{"assign", "Q", "open-file", "/tmp/a\x1B[2Jb"}, "no control characters: /tmp/a\\e[2Jb"},
      {{"assign", "Q", "startup", "/tmp/a\nb"}, "no control characters"},
      {{"profile", "import", two_lines.string()}, "\"two\\nlines\" is no profile name"},
  };
  for (const auto& c : kCases) {
    const CliResult result = Run(c.words);
    EXPECT_NE(result.exit_code, 0) << c.words[0];
    EXPECT_THAT(result.err, HasSubstr(c.says)) << c.words[0];
    EXPECT_THAT(result.err, Not(HasSubstr("\x1B"))) << c.words[0];
  }
  EXPECT_TRUE(FeaturesSent().empty());
  EXPECT_THAT(Run({"profile", "list"}).out, HasSubstr("no profile kept"));
}

// What another program stored is shown escaped, and a profile carrying it is refused whole.
TEST_F(StoredTextTest, StoredLaunchPathsPrintEscapedAndProfilesWithThemAreRefused) {
  StoreLaunchPathEnding(0x1B);
  const CliResult keys = Run({"keys"});
  ASSERT_EQ(keys.exit_code, 0) << keys.err;
  EXPECT_THAT(keys.out, HasSubstr("open-file /tmp/\\e"));
  EXPECT_THAT(keys.out, Not(HasSubstr("\x1B")));

  const std::filesystem::path profile = dir / "escape.bin";
  WriteBytes(profile, ReadBytes(data_dir / "keymap.bin"));
  const CliResult applied = Run({"apply", profile.string()});
  EXPECT_EQ(applied.exit_code, 4);
  EXPECT_THAT(applied.err, HasSubstr(".path is 27; allowed no control characters"));
  EXPECT_TRUE(WriteFeaturesSent().empty());
}

}  // namespace
}  // namespace n240qx::testing
