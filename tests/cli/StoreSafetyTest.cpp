#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "CliFixture.h"
#include "keys/KeymapStore.h"
#include "macros/MacroStore.h"
#include "support/ValidProfile.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class StoreSafetyTest : public CliFixture {
 protected:
  // keymap.bin, MacroDefine.bin and one backup, as after a first write.
  void MakeStores() {
    const CliResult set = Run({"set", "brightness", "20"});
    ASSERT_EQ(set.exit_code, 0) << set.err;
    ASSERT_FALSE(std::filesystem::is_empty(data_dir / "backups"));
  }
  std::filesystem::path AnyBackup() const {
    return std::filesystem::directory_iterator(data_dir / "backups")->path();
  }
};

TEST_F(StoreSafetyTest, ExportAndSavedReadNeverLandOnTheProgramsOwnFiles) {
  MakeStores();
  const std::vector<std::filesystem::path> kOwn = {data_dir / "keymap.bin",
                                                   data_dir / "MacroDefine.bin", AnyBackup(),
                                                   data_dir / "backups" / "new.bin", state_file,
                                                   // The same file reached another way.
                                                   data_dir / "backups" / ".." / "MacroDefine.bin"};
  for (const auto& target : kOwn) {
    for (const auto& words : {std::vector<std::string>{"profile", "export", target.string()},
                              std::vector<std::string>{"read", "-o", target.string()}}) {
      SCOPED_TRACE(words[0] + " " + target.string());
      std::error_code ignored;
      const bool existed = std::filesystem::exists(target, ignored);
      const auto before = ReadBytes(target);
      const CliResult refused = Run(words);
      EXPECT_EQ(refused.exit_code, 2);
      EXPECT_THAT(refused.err, HasSubstr(target.string()));
      EXPECT_EQ(std::filesystem::exists(target, ignored), existed);
      EXPECT_EQ(ReadBytes(target), before);
    }
  }
  const CliResult elsewhere = Run({"profile", "export", (dir / "MacroDefine.bin").string()});
  EXPECT_EQ(elsewhere.exit_code, 0) << "the name alone is no reason: " << elsewhere.err;
}

TEST_F(StoreSafetyTest, ShortOrForeignFilesAreNoProfile) {
  WriteBytes(dir / "Kept.bin", ValidProfile(kKeymapStoreSize, 3));
  ASSERT_EQ(Run({"profile", "import", (dir / "Kept.bin").string()}).exit_code, 0);
  const auto keymap = ReadBytes(data_dir / "keymap.bin");
  struct Case {
    std::string name;
    std::string text;
    std::string reason;
  };
  const Case kCases[] = {
      {"notes.txt", "notes\n", "size is 6 bytes"},
      {"empty.json", "{}", "format"},
      {"almost.bin", std::string(10059, 'x'), "size is 10059 bytes"},
      {"bom.json", "\xEF\xBB\xBF{\"format\": 1", "line 1"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir / c.name, {c.text.begin(), c.text.end()});
    for (const char* command : {"import", "apply"}) {
      std::vector<std::string> words = {command, (dir / c.name).string()};
      if (words[0] == "import") {
        words.insert(words.begin(), "profile");
      }
      const CliResult refused = Run(words);
      EXPECT_EQ(refused.exit_code, 4) << command;
      EXPECT_THAT(refused.err, HasSubstr(c.reason)) << command;
      EXPECT_TRUE(FeaturesSent().empty()) << command;
      EXPECT_EQ(ReadBytes(data_dir / "keymap.bin"), keymap) << command;
      EXPECT_TRUE(std::filesystem::exists(data_dir / "Configure" / "Kept.bin")) << command;
    }
  }
}

TEST_F(StoreSafetyTest, JsonWithAByteOrderMarkIsJson) {
  const CliResult read = Run({"--json", "read"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  const std::string text = "\xEF\xBB\xBF" + read.out;
  WriteBytes(dir / "marked.json", {text.begin(), text.end()});
  const CliResult applied = Run({"apply", (dir / "marked.json").string()});
  EXPECT_EQ(applied.exit_code, 0) << applied.err;
}

TEST_F(StoreSafetyTest, StoresOfTheWrongSizeAreNamedWithBothSizes) {
  MakeStores();
  std::mt19937 random(7);
  struct Case {
    std::string file;
    std::size_t size;
    std::size_t layout;
  };
  for (const Case& c :
       {Case{"keymap.bin", 1000, kKeymapStoreSize},
        Case{"keymap.bin", kKeymapStoreSize + 3, kKeymapStoreSize},
        Case{"MacroDefine.bin", 5, MacroStore::kByteSize},
        Case{"MacroDefine.bin", MacroStore::kByteSize + 1, MacroStore::kByteSize}}) {
    SCOPED_TRACE(c.file + " " + std::to_string(c.size));
    const auto whole = ReadBytes(data_dir / c.file);
    std::vector<std::uint8_t> bytes(c.size);
    for (auto& byte : bytes) {
      byte = static_cast<std::uint8_t>(random());
    }
    WriteBytes(data_dir / c.file, bytes);
    const CliResult loaded = Run({"profile", "export", (dir / "out.bin").string()});
    EXPECT_EQ(loaded.exit_code, 0) << loaded.err;
    EXPECT_THAT(loaded.err,
                HasSubstr((data_dir / c.file).string() + " is " + std::to_string(c.size) +
                          " bytes, not the " + std::to_string(c.layout) + " bytes"));
    WriteBytes(data_dir / c.file, whole);
    EXPECT_TRUE(Run({"profile", "export", (dir / "out.bin").string()}).err.empty());
  }
}

TEST_F(StoreSafetyTest, FifosAndDevicesAreRefusedInsteadOfWaitedOn) {
  MakeStores();
  ASSERT_EQ(::mkfifo((dir / "pipe.bin").c_str(), 0600), 0);
  const CliResult apply = Run({"apply", (dir / "pipe.bin").string()});
  EXPECT_EQ(apply.exit_code, 4);
  EXPECT_THAT(apply.err, HasSubstr("not a plain file"));
  const CliResult device = Run({"profile", "import", "/dev/zero"});
  EXPECT_EQ(device.exit_code, 4);
  EXPECT_THAT(device.err, HasSubstr("not a plain file"));
  for (const char* store : {"keymap.bin", "MacroDefine.bin"}) {
    SCOPED_TRACE(store);
    const auto whole = ReadBytes(data_dir / store);
    std::filesystem::remove(data_dir / store);
    ASSERT_EQ(::mkfifo((data_dir / store).c_str(), 0600), 0);
    const CliResult refused = Run({"set", "brightness", "21"});
    EXPECT_EQ(refused.exit_code, 4);
    EXPECT_THAT(refused.err, HasSubstr("not a plain file"));
    EXPECT_TRUE(WriteFeaturesSent().empty());
    std::filesystem::remove(data_dir / store);
    WriteBytes(data_dir / store, whole);
  }
}

}  // namespace
}  // namespace n240qx::testing
