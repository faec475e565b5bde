#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ReadingWellTest : public CliFixture {};

TEST_F(ReadingWellTest, EveryLineOfEveryHelpFitsEightyColumns) {
  std::vector<std::vector<std::string>> helps = {{"--help"}, {"help", "functions"}};
  for (const char* command :
       {"status", "read", "apply", "set", "reset", "keys", "assign", "macros", "macro", "profile",
        "profiles", "backups", "restore", "diagnose", "rules", "help"}) {
    helps.push_back({"help", command});
  }
  for (const auto& words : helps) {
    const CliResult help = RunBare(words);
    ASSERT_EQ(help.exit_code, 0) << words.back();
    std::istringstream lines(help.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      EXPECT_LE(line.size(), 80U) << words.back() << ": " << line;
    }
    EXPECT_GT(count, 4) << words.back();
  }
  // What a command's own help adds: every option in words, set's ranges, where names are.
  const struct {
    const char* command;
    const char* said;
  } kSaid[] = {
      {"read", "  --raw "},
      {"read", "standard output"},
      {"reset", "  --yes "},
      {"set", "brightness 0-50"},
      {"set", "light_direction left, right, top or"},
      {"set", "one keyboard write"},
      {"assign", "n240qx-ctl help functions"},
      {"keys", "  --keyboard "},
  };
  for (const auto& c : kSaid) {
    std::string text = RunBare({"help", c.command}).out;
    std::replace(text.begin(), text.end(), '\n', ' ');
    EXPECT_THAT(text, HasSubstr(c.said)) << c.command;
  }
  EXPECT_THAT(RunBare({"help", "functions"}).out, HasSubstr("\"Volume Up\""));
}

TEST_F(ReadingWellTest, MistypedNamesAreAnsweredWithTheNearestAndSendNothing) {
  const struct {
    std::vector<std::string> words;
    const char* said;
  } kCases[] = {
      {{"stauts"}, "unknown command \"stauts\": did you mean status?"},
      {{"help", "asign"}, "did you mean assign?"},
      {{"set", "brightnes", "3"}, "did you mean brightness?"},
      {{"set", "light-efect", "Wave"}, "did you mean light_effect?"},
      {{"set", "light_effect", "Wav"}, "did you mean Wave?"},
      {{"assign", "Escc", "single", "A"}, "did you mean Esc?"},
      {{"assign", "Q", "single", "LCrtl"}, "did you mean LCtrl?"},
      {{"assign", "Q", "combine", "LCtrl", "Dell"}, "did you mean Del?"},
      {{"assign", "F5", "function", "Volum", "Up"}, "did you mean Volume Up?"},
      {{"assign", "Q", "single", "Ctrl"}, "ambiguous"},
      {{"assign", "Q", "combine", "Alt", "A"}, "ambiguous"},
      {{"read", "-o"}, "-o needs a FILE"},
      {{"read", "-o", "--raw"}, "-o needs a FILE"},
      {{"--json", "read", "--raw"}, "--raw has no JSON form"},
  };
  for (const auto& mistake : kCases) {
    const CliResult result = Run(mistake.words);
    EXPECT_EQ(result.exit_code, 2) << mistake.said;
    EXPECT_THAT(result.err, HasSubstr(mistake.said));
    EXPECT_TRUE(FeaturesSent().empty()) << mistake.said;
  }
  EXPECT_THAT(Run({"assign", "Q", "single", "Ctrl"}).err,
              ::testing::MatchesRegex(".*LCtrl \\(#[0-9]+\\) or RCtrl \\(#[0-9]+\\).*"));
  EXPECT_THAT(Run({"dance"}).err, Not(HasSubstr("did you mean"))) << "nothing near, no guess";
}

TEST_F(ReadingWellTest, ReadSaysWhereItSavedAndResetWhatItKept) {
  const auto saved = dir / "saved.bin";
  const CliResult read = Run({"read", "-o", saved.string()});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  EXPECT_THAT(read.out, ::testing::EndsWith("saved to " + saved.string() + "\n"));
  EXPECT_TRUE(std::filesystem::exists(saved));

  ASSERT_EQ(Run({"macro", "new", "Keep", "A dn", "A up"}).exit_code, 0);
  const CliResult reset = Run({"reset", "--yes"});
  ASSERT_EQ(reset.exit_code, 0) << reset.err;
  EXPECT_THAT(reset.out, HasSubstr("kept: the stored macros"));
  EXPECT_THAT(Run({"macros"}).out, HasSubstr("Keep")) << "and they are kept";
}

TEST_F(ReadingWellTest, ProfileRenameRenamesTheKeptProfileAsTheListDoes) {
  ASSERT_EQ(Run({"read", "-o", (dir / "saved.bin").string()}).exit_code, 0);
  ASSERT_EQ(Run({"profile", "import", (dir / "saved.bin").string()}).exit_code, 0);
  const auto bytes = ReadBytes(data_dir / "Configure" / "saved.bin");

  const CliResult unknown = Run({"profile", "rename", "other", "Race"});
  EXPECT_EQ(unknown.exit_code, 2);
  EXPECT_THAT(unknown.err, HasSubstr("there is no profile \"other\" (kept: saved)"));

  const CliResult renamed = Run({"profile", "rename", "saved", "Race"});
  ASSERT_EQ(renamed.exit_code, 0) << renamed.err;
  EXPECT_THAT(renamed.out, HasSubstr("renamed profile saved to Race"));
  const auto listed = ParseJson(Run({"--json", "profile", "list"}).out);
  ASSERT_TRUE(listed && listed->IsArray());
  ASSERT_EQ(listed->Items().size(), 1U);
  EXPECT_EQ(listed->Items()[0]["name"].String(), "Race");
  EXPECT_EQ(ReadBytes(data_dir / "Configure" / "Race.bin"), bytes) << "bytes untouched";
  EXPECT_FALSE(std::filesystem::exists(data_dir / "Configure" / "saved.bin"));
  EXPECT_TRUE(FeaturesSent().empty());
}

TEST_F(ReadingWellTest, SeveralAssignmentsGoOutInOneWrite) {
  const CliResult assign =
      Run({"assign", "Q", "single", "A", "W", "combine", "LCtrl", "S", "E", "disable"});
  ASSERT_EQ(assign.exit_code, 0) << assign.err;
  EXPECT_THAT(assign.out, HasSubstr("Q: Q -> A"));
  EXPECT_THAT(assign.out, HasSubstr("W: W -> LCtrl + S"));
  EXPECT_THAT(assign.out, HasSubstr("E enabled: yes -> no"));
  const auto backups = ParseJson(Run({"--json", "backups"}).out);
  ASSERT_TRUE(backups && backups->IsArray());
  EXPECT_EQ(backups->Items().size(), 1U) << "one write, one backup";

  const CliResult twice = Run({"assign", "Q", "single", "A", "Q", "single", "B"});
  EXPECT_EQ(twice.exit_code, 2);
  EXPECT_THAT(twice.err, HasSubstr("Q is assigned twice"));
  EXPECT_TRUE(FeaturesSent().empty());
}

TEST_F(ReadingWellTest, MacrosRepeatAndWarnOfKeysLeftHeldAndOfMissingLaunchFiles) {
  const CliResult held = Run({"macro", "new", "Hold", "LShift dn", "Q dn", "Q up"});
  ASSERT_EQ(held.exit_code, 0) << held.err;
  EXPECT_THAT(held.err, HasSubstr("LShift is held down when the macro ends"));
  EXPECT_THAT(held.err, Not(HasSubstr("Q is held")));
  const CliResult released = Run({"macro", "set", "0", "LShift dn", "LShift up"});
  ASSERT_EQ(released.exit_code, 0) << released.err;
  EXPECT_THAT(released.err, Not(HasSubstr("held down")));

  const struct {
    const char* count;
    int exit_code;
    double shown;
  } kLoops[] = {{"5", 0, 5}, {"999", 0, 999}, {"0", 2, 999}, {"1000", 2, 999}, {"x", 2, 999}};
  for (const auto& loop : kLoops) {
    EXPECT_EQ(Run({"macro", "loop", "0", loop.count}).exit_code, loop.exit_code) << loop.count;
    const auto listed = ParseJson(Run({"--json", "macros"}).out);
    ASSERT_TRUE(listed);
    EXPECT_EQ((*listed)["macros"][std::size_t{0}]["repeat_count"].Number(), loop.shown)
        << loop.count;
  }
  EXPECT_EQ(Run({"macro", "loop", "3", "2"}).exit_code, 2) << "no macro 3";

  const auto missing = dir / "no-such-song.mp3";
  const CliResult play = Run({"--dry-run", "assign", "F1", "play", missing.string()});
  EXPECT_THAT(play.err, HasSubstr(missing.string() + " does not exist"));
  WriteBytes(missing, {1});
  EXPECT_THAT(Run({"--dry-run", "assign", "F1", "play", missing.string()}).err,
              Not(HasSubstr("does not exist")));
}

TEST_F(ReadingWellTest, DiagnoseReportsEverythingAndWritesNothing) {
  ASSERT_EQ(Run({"macro", "new", "M"}).exit_code, 0);
  std::filesystem::copy_file(wire_log, dir / "earlier.log");
  const auto listing = [&] {
    std::vector<std::pair<std::string, std::uintmax_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data_dir)) {
      files.emplace_back(entry.path().string(),
                         entry.is_regular_file() ? entry.file_size() : std::uintmax_t{0});
    }
    std::sort(files.begin(), files.end());
    return files;
  };
  const auto before = listing();
  const CliResult text = Run({"diagnose", (dir / "earlier.log").string()});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  for (const char* said :
       {"program:\n  version: ", "desktop:\n  session: ", "hidraw_nodes:",
        "udev_rule:\n  installed: ", "  found: yes\n", "  full_read_ms: ", "  firmware: 1.5\n",
        "MacroDefine.bin, exists yes, size ", "wire_log:\n"}) {
    EXPECT_THAT(text.out, HasSubstr(said));
  }
  EXPECT_TRUE(WriteFeaturesSent().empty()) << "a read, never a write";
  EXPECT_EQ(listing(), before) << "the data folder is unchanged";

  const auto json = ParseJson(Run({"--json", "diagnose"}).out);
  ASSERT_TRUE(json);
  EXPECT_EQ((*json)["keyboard"]["firmware"].String(), "1.5");
  const double pauses = (*json)["keyboard"]["full_read_pauses_ms"].Number();
  EXPECT_GT(pauses, 0) << "a full read has the keyboard's pauses";
  EXPECT_LE(pauses, (*json)["keyboard"]["full_read_ms"].Number()) << "and takes at least them";
  EXPECT_TRUE((*json)["keyboard"]["simulated"].Bool());
  EXPECT_EQ((*json)["data_folder"]["entries"].Items().size(), 4U);
  EXPECT_EQ(Run({"diagnose", (dir / "none.log").string()}).exit_code, 4);
}

}  // namespace
}  // namespace n240qx::testing
