#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "CliFixture.h"
#include "JsonValue.h"
#include "support/ValidProfile.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class DryRunTest : public CliFixture {
 protected:
  // Every file of the data folder with its bytes, and the simulated keyboard's memory.
  std::map<std::string, std::vector<std::uint8_t>> Files() const {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data_dir)) {
      files[entry.path().string()] =
          entry.is_regular_file() ? ReadBytes(entry.path()) : std::vector<std::uint8_t>{};
    }
    files["state"] = ReadBytes(state_file);
    return files;
  }

  // The reports the last run sent, as a dry run prints them: without the time column.
  std::vector<std::string> SentUntimed() const {
    std::vector<std::string> sent;
    std::ifstream in(wire_log);
    std::string line;
    while (std::getline(in, line)) {
      const std::string untimed = line.substr(line.find(' ') + 1);
      if (untimed.starts_with("out ")) {
        sent.push_back(untimed);
      }
    }
    return sent;
  }

  // The dry run's reports from its JSON result, after checking that it sent and changed
  // nothing.
  std::vector<std::string> DryRun(std::vector<std::string> words) {
    const auto before = Files();
    words.insert(words.begin(), {"--json", "--dry-run"});
    const CliResult dry = Run(words);
    EXPECT_EQ(dry.exit_code, 0) << dry.err;
    EXPECT_TRUE(WriteFeaturesSent().empty()) << "a dry run wrote to the keyboard";
    EXPECT_EQ(Files(), before) << "a dry run changed a file";
    const auto json = ParseJson(dry.out);
    if (!json) {
      ADD_FAILURE() << dry.out;
      return {};
    }
    EXPECT_TRUE((*json)["dry_run"].Bool());
    std::vector<std::string> reports;
    for (const JsonValue& report : (*json)["reports"].Items()) {
      reports.push_back(report.String());
    }
    return reports;
  }
};

TEST_F(DryRunTest, PrintsExactlyWhatTheRealRunThenSends) {
  WriteBytes(dir / "profile.bin", ValidProfile(10060, 0x21));
  const std::vector<std::vector<std::string>> kCommands = {
      {"set", "brightness", "30", "speed", "3"},
      {"apply", (dir / "profile.bin").string()},
      {"assign", "Q", "combine", "LCtrl", "LAlt", "Del"},
  };
  // What the keyboard holds after a write is what keymap.bin then records.
  ASSERT_EQ(Run({"set", "effect", "Radar"}).exit_code, 0);
  const CliResult text = Run({"set", "game-mode", "on", "--dry-run"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("the keyboard holds, as just read"))
      << "the first line names the basis";
  EXPECT_THAT(text.out, HasSubstr("\nwould write: game mode, lighting\nout feature 00 18 01"));

  for (const auto& command : kCommands) {
    SCOPED_TRACE(command[0]);
    const auto dry = DryRun(command);
    ASSERT_FALSE(dry.empty());
    EXPECT_EQ(dry.front(), "out feature 00 18 01 00 00 00 00 00 E6") << "the write's bracket";
    const CliResult real = Run(command);
    ASSERT_EQ(real.exit_code, 0) << real.err;
    const auto sent = SentUntimed();
    ASSERT_GE(sent.size(), dry.size());
    EXPECT_EQ(std::vector(sent.end() - static_cast<std::ptrdiff_t>(dry.size()), sent.end()), dry)
        << "the write is the last thing the real run sends, after its read";
  }
  EXPECT_TRUE(DryRun(kCommands.back()).empty()) << "the keyboard holds it already";
}

TEST_F(DryRunTest, ResetShowsTheReportsOfARealResetAndSendsNothing) {
  // A reset sends the same whatever the keyboard holds, so it needs no record either.
  ASSERT_EQ(Run({"reset", "--yes"}).exit_code, 0);
  const auto sent = SentUntimed();
  const auto dry = DryRun({"reset"});
  ASSERT_FALSE(dry.empty());
  ASSERT_GE(sent.size(), dry.size());
  EXPECT_EQ(std::vector(sent.end() - static_cast<std::ptrdiff_t>(dry.size()), sent.end()), dry);
}

TEST_F(DryRunTest, RefusesAsTheRealRunDoesAndSendsNothing) {
  const std::vector<std::vector<std::string>> kRefused = {
      {"set", "brightness", "51"},
      {"apply", (dir / "missing.bin").string()},
      {"assign", "NoSuchKey", "single", "A"},
      {"assign", "Q", "macro", "3"},
  };
  for (auto command : kRefused) {
    SCOPED_TRACE(command[0]);
    const CliResult real = Run(command);
    command.emplace_back("--dry-run");
    const CliResult dry = Run(command);
    EXPECT_NE(real.exit_code, 0);
    EXPECT_EQ(dry.exit_code, real.exit_code);
    EXPECT_EQ(dry.err, real.err);
    EXPECT_TRUE(WriteFeaturesSent().empty());
  }
  EXPECT_EQ(Run({"read", "--dry-run"}).exit_code, 2) << "read writes nothing to leave out";
}

// The keyboard itself is the basis, so no earlier write is needed, and the data folder stays
// as it was.
TEST_F(DryRunTest, WithoutARecordOfTheKeyboardItReadsTheKeyboard) {
  const CliResult dry = Run({"set", "brightness", "30", "--dry-run"});
  EXPECT_EQ(dry.exit_code, 0) << dry.err;
  EXPECT_THAT(dry.out, HasSubstr("would write: lighting"));
  EXPECT_FALSE(FeaturesSent().empty()) << "the keyboard was read";
  EXPECT_TRUE(WriteFeaturesSent().empty());
  EXPECT_TRUE(std::filesystem::is_empty(data_dir));
}

// keymap.bin follows Import and the dialogs' OK without the keyboard; the dry run does not
// take it for what the keyboard holds.
TEST_F(DryRunTest, AfterKeymapChangedWithoutAWriteItStillMatchesTheRealRun) {
  WriteBytes(dir / "race.bin", ValidProfile(206920, 0x35));
  ASSERT_EQ(Run({"set", "brightness", "12"}).exit_code, 0) << "a backup to restore";
  const std::vector<std::vector<std::string>> kCommands = {
      {"apply", (dir / "race.bin").string(), "--allow-launch"},
      {"restore", "1", "--allow-launch"},
  };
  for (const auto& command : kCommands) {
    SCOPED_TRACE(command[0]);
    const CliResult imported =
        Run({"profile", "import", (dir / "race.bin").string(), "--allow-launch"});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    const auto dry = DryRun(command);
    ASSERT_FALSE(dry.empty()) << "keymap.bin holds the profile, the keyboard does not";
    ASSERT_EQ(Run(command).exit_code, 0);
    const auto sent = SentUntimed();
    const auto open = std::find(sent.begin(), sent.end(), dry.front());
    EXPECT_EQ(std::vector(open, sent.end()), dry);
  }
}

}  // namespace
}  // namespace n240qx::testing
