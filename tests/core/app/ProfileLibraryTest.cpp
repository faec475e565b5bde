#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/ProfileLibrary.h"
#include "config/ProfileJson.h"
#include "keys/KeymapStore.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;

TEST(ProfileLibrary, ANameIsAFileNameOfItsOwnThatPrintsAsOneLine) {
  const struct {
    std::string name;
    bool taken;
  } kCases[] = {
      {"race", true},
      {"Night drive 2", true},
      {"R\xC3\xA4tsel", true},  // UTF-8
      {"", false},
      {std::string(ProfileLibrary::kMaxNameBytes + 1, 'a'), false},
      {std::string(ProfileLibrary::kMaxNameBytes, 'a'), true},
      {"../keymap", false},
      {"a/b", false},
      {".hidden", false},
      {"-rf", false},
      {"two\nlines", false},
      {"clear\x1b[2J", false},
      {"bad\xC3", false},
      {" padded", false},
  };
  for (const auto& c : kCases) {
    const Status verdict = ProfileLibrary::CheckName(c.name);
    EXPECT_EQ(verdict.ok(), c.taken) << "\"" << c.name << "\"";
    if (!verdict.ok()) {
      EXPECT_EQ(verdict.error().message.find('\n'), std::string::npos) << verdict.error().message;
      EXPECT_EQ(verdict.error().message.find('\x1b'), std::string::npos) << verdict.error().message;
    }
  }
}

TEST(ProfileLibrary, ListsSavedProfilesSortedAndOnlyThose) {
  testing::TempDir temp;
  const ProfileLibrary library(temp.path() / "profiles");
  ASSERT_TRUE(library.Names().ok()) << "no folder yet is an empty library";
  EXPECT_TRUE(library.Names()->empty());
  for (const char* name : {"work", "game"}) {
    ASSERT_TRUE(library.Save(name, "{}\n").ok());
  }
  std::ofstream(temp.path() / "profiles" / "notes.txt") << "x";
  std::ofstream(temp.path() / "profiles" / ".json") << "x";
  fs::create_directory(temp.path() / "profiles" / "folder.json");
  EXPECT_EQ(*library.Names(), (std::vector<std::string>{"game", "work"}));
  EXPECT_FALSE(library.Save("../x", "{}").ok());
  EXPECT_FALSE(fs::exists(temp.path() / "x.json")) << "a name never leaves the folder";
}

TEST(ProfileLibrary, RenameAndDeleteKeepEveryOtherProfile) {
  testing::TempDir temp;
  const ProfileLibrary library(temp.path() / "profiles");
  ASSERT_TRUE(library.Save("a", "{\"a\":1}").ok());
  ASSERT_TRUE(library.Save("b", "{\"b\":1}").ok());

  const Status onto_other = library.Rename("a", "b");
  ASSERT_FALSE(onto_other.ok()) << "renaming onto another profile would lose it";
  EXPECT_EQ(*library.Names(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(library.Rename("missing", "c").error().code, ErrorCode::kNotFound);

  ASSERT_TRUE(library.Rename("a", "c").ok());
  EXPECT_EQ(*library.Names(), (std::vector<std::string>{"b", "c"}));
  std::ifstream moved(library.FileOf("c"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(moved), {}), "{\"a\":1}");

  EXPECT_EQ(library.Delete("a").error().code, ErrorCode::kNotFound);
  ASSERT_TRUE(library.Delete("b").ok());
  EXPECT_EQ(*library.Names(), (std::vector<std::string>{"c"}));
}

TEST(ProfileLibrary, LoadGivesAStoredProfileInTheKeymapLayoutOrSaysWhyNot) {
  testing::TempDir temp;
  const ProfileLibrary library(temp.path() / "profiles");
  const KeyNameTable names = BuildKeyNameTable();
  ConfigImage image;
  image.brightness() = 3;
  const KeyActionTable actions;
  const MacroStore macros;
  ASSERT_TRUE(library.Save("dim", profile_json::ToText({image, actions, macros, names, {}})).ok());
  ASSERT_TRUE(library.Save("notes", "brightness 3").ok());
  const auto loaded = library.Load("dim", names);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  ASSERT_EQ(loaded->size(), kKeymapStoreSize);
  EXPECT_EQ((*loaded)[image_field::kBrightness.offset], 3);
  EXPECT_EQ(library.Load("gone", names).error().code, ErrorCode::kNotFound);
  EXPECT_EQ(library.Load("notes", names).error().code, ErrorCode::kBadData);
}

}  // namespace
}  // namespace n240qx
