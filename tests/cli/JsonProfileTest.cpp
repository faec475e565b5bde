#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class JsonProfileTest : public CliFixture {
 protected:
  std::string ReadJson() {
    const CliResult read = Run({"read", "--json"});
    EXPECT_EQ(read.exit_code, 0) << read.err;
    return read.out;
  }

  void WriteText(const std::filesystem::path& file, const std::string& text) const {
    WriteBytes(file, {text.begin(), text.end()});
  }
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// What read --json prints, apply takes back and finds nothing to change; one field edited in
// the text is all the write then sends, and import keeps the same profile.
TEST_F(JsonProfileTest, ReadJsonGoesBackThroughApplyAndImport) {
  ASSERT_EQ(Run({"assign", "Q", "combine", "LCtrl", "LAlt", "Del"}).exit_code, 0);
  const std::string json = ReadJson();
  EXPECT_THAT(json, HasSubstr(R"("kind":"combine","keys":["LCtrl","LAlt","Del"])"));
  const auto profile = dir / "p.json";
  WriteText(profile, json);

  const CliResult same = Run({"apply", profile.string()});
  ASSERT_EQ(same.exit_code, 0) << same.err;
  EXPECT_FALSE(FeaturesSent().empty()) << "the keyboard was read";
  EXPECT_TRUE(WriteFeaturesSent().empty()) << "nothing differs, so nothing is written";

  const auto dimmer = dir / "dimmer.json";
  WriteText(dimmer, Replaced(json, "\"brightness\":50", "\"brightness\":7"));
  const CliResult changed = Run({"apply", dimmer.string()});
  ASSERT_EQ(changed.exit_code, 0) << changed.err;
  EXPECT_THAT(WriteFeaturesSent(), ::testing::Contains(HasSubstr("08 02 03 05 07")))
      << "the lighting frame with brightness 7";
  EXPECT_EQ(ReadJson(), Replaced(json, "\"brightness\":50", "\"brightness\":7"));

  const CliResult imported = Run({"profile", "import", profile.string()});
  ASSERT_EQ(imported.exit_code, 0) << imported.err;
  EXPECT_TRUE(FeaturesSent().empty()) << "import touches no keyboard";
  const auto kept = ReadBytes(data_dir / "Configure" / "p.bin");
  EXPECT_EQ(kept, ReadBytes(data_dir / "keymap.bin")) << "kept in the binary layout";
  ASSERT_EQ(Run({"apply", (data_dir / "Configure" / "p.bin").string()}).exit_code, 0);
  EXPECT_EQ(ReadJson(), json) << "the imported profile is the one read";
}

// A damaged or partial JSON profile is refused before the keyboard is even read.
TEST_F(JsonProfileTest, DamagedJsonIsRefusedAndNothingIsSentOrStored) {
  ASSERT_EQ(Run({"set", "brightness", "50"}).exit_code, 0) << "keymap.bin made";
  const std::string json = ReadJson();
  const auto keymap_before = ReadBytes(data_dir / "keymap.bin");
  const struct {
    const char* name;
    std::string text;
    const char* said;
  } kCases[] = {
      {"bright.json", Replaced(json, "\"brightness\":50", "\"brightness\":300"),
       "brightness: 300 is out of range 0..255"},
      {"range.json", Replaced(json, "\"brightness\":50", "\"brightness\":99"),
       "brightness is 99; allowed 0-50"},
      {"kind.json", Replaced(json, "\"kind\":\"single\"", "\"kind\":\"foo\""),
       "key_actions[0].kind: unknown \"foo\""},
      {"short.json", json.substr(0, json.size() / 2), "the text ends"},
      {"partial.json", Replaced(json, "\"report_rate\":", "\"rate\":"), "unknown field \"rate\""},
  };
  for (const auto& refused : kCases) {
    const auto file = dir / refused.name;
    WriteText(file, refused.text);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"apply", file.string()},
          std::vector<std::string>{"profile", "import", file.string()}}) {
      const CliResult result = Run(command);
      EXPECT_EQ(result.exit_code, 4) << refused.name << " " << command[0];
      EXPECT_THAT(result.err, HasSubstr(refused.said)) << refused.name << " " << command[0];
      EXPECT_TRUE(WriteFeaturesSent().empty()) << refused.name << ": nothing may be written";
      // Only apply reads the keyboard, to see whether it holds a setting out of range itself.
      const bool reads = command[0] == "apply" && refused.name == std::string("range.json");
      EXPECT_EQ(FeaturesSent().empty(), !reads) << refused.name << " " << command[0];
      EXPECT_EQ(ReadBytes(data_dir / "keymap.bin"), keymap_before) << refused.name;
    }
  }
}

}  // namespace
}  // namespace n240qx::testing
