#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class ReadableOutputTest : public CliFixture {};

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

TEST_F(ReadableOutputTest, SetSaysWhatChangedAndReadShowsSettingsByNameAndMeaning) {
  const CliResult set = Run({"set", "brightness=10", "light_direction", "top", "game_mode", "true",
                             "colour_slot", "2", "#A0B1C2"});
  ASSERT_EQ(set.exit_code, 0) << set.err;
  EXPECT_THAT(set.out, HasSubstr("brightness: 50 -> 10\n"));
  EXPECT_THAT(set.out, HasSubstr("light_direction: left -> top\n"));
  EXPECT_THAT(set.out, HasSubstr("game_mode: off -> on\n"));
  EXPECT_THAT(set.out, HasSubstr("colour_slot_2: #00FF00 -> #A0B1C2\n"));
  ASSERT_EQ(Run({"assign", "Q", "combine", "LCtrl", "LAlt", "Del"}).exit_code, 0);
  const CliResult assign = Run({"--json", "assign", "LWin", "disable"});
  ASSERT_EQ(assign.exit_code, 0) << assign.err;
  const auto changed = ParseJson(assign.out);
  ASSERT_TRUE(changed) << assign.out;
  EXPECT_EQ((*changed)["changed"][0]["name"].String(), "LWin enabled");
  EXPECT_FALSE((*changed)["changed"][0]["to"].Bool());

  const CliResult read = Run({"read"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  for (const char* line :
       {"light_effect: Wave\n", "brightness: 10\n", "light_direction: top\n",
        "colour_choice: multicolour\n", "game_mode: on\n", "windows_key_lock: on\n",
        "colour_slots: #FF0000 #A0B1C2 #0000FF", "  Q: LCtrl + LAlt + Del\n",
        "disabled_keys: LWin\n", "macros: none\n"}) {
    EXPECT_THAT(read.out, HasSubstr(line));
  }
  const CliResult same = Run({"--json", "set", "brightness", "10"});
  EXPECT_EQ(same.out, "{\"changed\":[]}\n");
}

TEST_F(ReadableOutputTest, KeysListsStoredAssignmentsAlignedWithoutTheKeyboard) {
  ASSERT_EQ(Run({"assign", "F1", "function", "Volume Up"}).exit_code, 0);
  const CliResult keys = Run({"keys"});
  ASSERT_EQ(keys.exit_code, 0) << keys.err;
  EXPECT_TRUE(FeaturesSent().empty()) << "the stored assignments need no keyboard";
  const auto lines = Lines(keys.out);
  ASSERT_EQ(lines.size(), 109U);
  const std::size_t target_column = lines[0].find("target");
  for (const std::string& line : lines) {
    EXPECT_NE(line.back(), ' ') << line;
    EXPECT_EQ(line[target_column - 1], ' ') << "aligned: " << line;
  }
  EXPECT_EQ(lines[2].substr(0, 2), "F1");
  EXPECT_EQ(lines[2].substr(target_column), "Volume Up");
  EXPECT_EQ(lines[22].substr(0, 2), "1 ");
  const std::size_t label_column = lines[0].find("label");
  const auto line_of = [&](std::string_view key) {
    return *std::ranges::find_if(lines, [&](const std::string& l) { return l.starts_with(key); });
  };
  EXPECT_EQ(line_of("LCtrl ").substr(label_column, 5), "Ctrl ") << "the label, where it differs";
  EXPECT_EQ(line_of("F1 ")[label_column], ' ') << "and nothing where it is the name";

  const CliResult compared = Run({"keys", "--keyboard"});
  ASSERT_EQ(compared.exit_code, 0) << compared.err;
  EXPECT_FALSE(FeaturesSent().empty());
  EXPECT_THAT(Lines(compared.out)[2], ::testing::MatchesRegex("F1 .* Volume Up +same"));
}

TEST_F(ReadableOutputTest, ReadOutputIsCheckedFirstAndGoesToStdoutOrReplacesTheFileWhole) {
  std::filesystem::create_directories(dir / "folder");
  const struct {
    std::filesystem::path path;
    const char* said;
  } kRefused[] = {
      {dir / "folder", "a folder, not a file"},
      {dir / "missing" / "p.bin", "cannot write"},
      {"/proc/n240qx-profile.bin", "cannot write"},
  };
  for (const auto& refused : kRefused) {
    const CliResult read = Run({"read", "-o", refused.path.string()});
    EXPECT_EQ(read.exit_code, 4) << refused.path;
    EXPECT_THAT(read.err, HasSubstr(refused.said)) << refused.path;
    EXPECT_TRUE(read.out.empty()) << refused.path;
    EXPECT_TRUE(FeaturesSent().empty()) << refused.path << ": refused before the read";
  }

  const CliResult to_stdout = Run({"read", "-o", "-"});
  ASSERT_EQ(to_stdout.exit_code, 0) << to_stdout.err;
  ASSERT_EQ(to_stdout.out.size(), 206920U);
  EXPECT_EQ(static_cast<std::uint8_t>(to_stdout.out[7452]), 50) << "brightness";

  const auto existing = dir / "existing.bin";
  WriteBytes(existing, {1, 2, 3});
  struct stat before {};
  ASSERT_EQ(::stat(existing.c_str(), &before), 0);
  ASSERT_EQ(Run({"read", "-o", existing.string()}).exit_code, 0);
  struct stat after {};
  ASSERT_EQ(::stat(existing.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino) << "replaced by a rename, never rewritten in place";
  EXPECT_EQ(ReadBytes(existing),
            std::vector<std::uint8_t>(to_stdout.out.begin(), to_stdout.out.end()));
}

}  // namespace
}  // namespace n240qx::testing
