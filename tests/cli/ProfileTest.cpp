#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "CliFixture.h"
#include "JsonValue.h"
#include "keys/KeymapStore.h"
#include "support/ValidProfile.h"

namespace n240qx::testing {
namespace {

class ProfileTest : public CliFixture {
 protected:
  std::vector<std::string> Kept() {
    const CliResult listed = Run({"profile", "list", "--json"});
    EXPECT_EQ(listed.exit_code, 0) << listed.err;
    const auto list = ParseJson(listed.out);
    EXPECT_TRUE(list && list->IsArray()) << listed.out;
    std::vector<std::string> names;
    for (const JsonValue& item : list->Items()) {
      names.push_back(item["name"].String());
    }
    return names;
  }
  // A whole profile as the window writes one: every key's entry carries its own code.
  static std::vector<std::uint8_t> Profile(std::uint8_t seed) {
    ConfigImage image;
    const auto settings = ValidProfile(image.bytes().size(), seed);
    std::ranges::copy(settings, image.bytes().begin());
    KeyActionTable table;
    RestoreKeyActionKeys(table);
    table[3].kind = seed;
    return EncodeKeymapStore(image, table);
  }
};

TEST_F(ProfileTest, ImportAndExportGoThroughKeymapAndKeepOneProfile) {
  const auto imported = Profile(5);
  WriteBytes(dir / "game.cfg.bin", imported);
  const CliResult import = Run({"profile", "import", (dir / "game.cfg.bin").string()});
  ASSERT_EQ(import.exit_code, 0) << import.err;
  EXPECT_TRUE(FeaturesSent().empty()) << "the keyboard changes only with apply";
  EXPECT_EQ(ReadBytes(data_dir / "keymap.bin"), imported);
  EXPECT_EQ(Kept(), std::vector<std::string>{"game"});
  EXPECT_EQ(ReadBytes(data_dir / "Configure" / "game.bin"), imported);

  const CliResult exported = Run({"profile", "export", (dir / "Tour.bin").string()});
  ASSERT_EQ(exported.exit_code, 0) << exported.err;
  EXPECT_EQ(ReadBytes(dir / "Tour.bin"), imported);
  EXPECT_EQ(Kept(), std::vector<std::string>{"Tour"});
  EXPECT_FALSE(std::filesystem::exists(data_dir / "Configure" / "game.bin"));
}

TEST_F(ProfileTest, RefusedImportsAndExportsChangeNothing) {
  EXPECT_EQ(Run({"profile", "export", (dir / "out.bin").string()}).exit_code, 4)
      << "no keymap.bin to export";
  WriteBytes(dir / "Kept.bin", Profile(1));
  ASSERT_EQ(Run({"profile", "import", (dir / "Kept.bin").string()}).exit_code, 0);
  const auto keymap = ReadBytes(data_dir / "keymap.bin");
  struct Case {
    std::vector<std::string> words;
    int exit_code;
  };
  for (const Case& c : {Case{{"profile", "import", (dir / "missing.bin").string()}, 4},
                        Case{{"profile", "import", (dir / ".hidden.bin").string()}, 2},
                        Case{{"profile", "export", (dir / "..bin").string()}, 2},
                        Case{{"profile", "rename", "x"}, 2}}) {
    const CliResult refused = Run(c.words);
    EXPECT_EQ(refused.exit_code, c.exit_code) << c.words[2] << ": " << refused.err;
    EXPECT_FALSE(refused.err.empty());
    EXPECT_EQ(ReadBytes(data_dir / "keymap.bin"), keymap) << c.words[2];
    EXPECT_EQ(Kept(), std::vector<std::string>{"Kept"}) << c.words[2];
  }
}

}  // namespace
}  // namespace n240qx::testing
