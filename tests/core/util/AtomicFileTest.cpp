#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "util/AtomicFile.h"
#include "util/FileSync.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kBytes = {1, 2, 3};

void Touch(const fs::path& file, std::chrono::minutes age) {
  std::ofstream(file) << "x";
  fs::last_write_time(file, fs::file_time_type::clock::now() - age);
}

std::vector<std::uint8_t> Read(const fs::path& file) {
  return ReadFilePrefix(file, 100).value();
}

// keymap.bin or a profile kept elsewhere through a link stays linked: the file it points to
// gets the bytes, replaced beside itself, and nothing is left in either folder.
TEST(AtomicFile, LinkStaysALinkAndItsTargetIsReplaced) {
  testing::TempDir dir;
  fs::create_directories(dir.path() / "data");
  fs::create_directories(dir.path() / "dotfiles");
  const fs::path target = dir.path() / "dotfiles" / "keymap.bin";
  const fs::path link = dir.path() / "data" / "keymap.bin";
  std::ofstream(target) << "old";
  const struct {
    const char* how;
    fs::path points_to;
  } kLinks[] = {{"absolute", target}, {"relative", fs::path("..") / "dotfiles" / "keymap.bin"}};
  for (const auto& entry : kLinks) {
    fs::remove(link);
    fs::create_symlink(entry.points_to, link);
    ASSERT_TRUE(CheckReplaceable(link).ok()) << entry.how;
    ASSERT_TRUE(WriteFileAtomically(link, kBytes).ok()) << entry.how;
    EXPECT_TRUE(fs::is_symlink(link)) << entry.how;
    EXPECT_EQ(Read(target), kBytes) << entry.how;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "data"), {}), 1) << entry.how;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "dotfiles"), {}), 1) << entry.how;
  }
}

// A write cut off by a crash leaves its temporary; the next write into the folder removes it,
// and only it.
TEST(AtomicFile, StaleTemporariesOfOursGoWithTheNextWriteAndNothingElse) {
  testing::TempDir dir;
  const struct {
    const char* name;
    std::chrono::minutes age;
    bool stays;
  } kFiles[] = {
      {"keymap.bin.tmp-123456", std::chrono::minutes(11), false},
      {"backup.bin.tmp-42", std::chrono::minutes(60), false},
      {"MacroDefine.bin.tmp-99", std::chrono::minutes(1), true},  // a write may be under way
      {"notes.tmp-draft", std::chrono::minutes(60), true},
      {".tmp-123", std::chrono::minutes(60), true},
      {"old.txt", std::chrono::minutes(60), true},
  };
  for (const auto& file : kFiles) {
    Touch(dir.path() / file.name, file.age);
  }
  ASSERT_TRUE(WriteFileAtomically(dir.path() / "keymap.bin", kBytes).ok());
  for (const auto& file : kFiles) {
    EXPECT_EQ(fs::exists(dir.path() / file.name), file.stays) << file.name;
  }
  EXPECT_EQ(Read(dir.path() / "keymap.bin"), kBytes);
}

// A failure names the file and says why in the caller's language, with the code kept.
TEST(AtomicFile, FailuresAreWordedInTheCallersLanguage) {
  testing::TempDir dir;
  const fs::path missing = dir.path() / "missing.bin";
  const fs::path unmade = dir.path() / "no" / "x.bin";
  const struct {
    std::function<Status(Language)> run;
    ErrorCode code;
    std::string english;
    std::string german;
  } kCases[] = {
      {[&](Language l) { return Status(ReadFilePrefix(missing, 8, l).error()); },
       ErrorCode::kNotFound, "no such file: " + missing.string(),
       "Datei nicht gefunden: " + missing.string()},
      {[&](Language l) { return Status(ReadFilePrefix(dir.path(), 8, l).error()); },
       ErrorCode::kBadData, "not a plain file, so not read: " + dir.path().string(),
       "keine gew\u00F6hnliche Datei, daher nicht gelesen: " + dir.path().string()},
      {[&](Language l) { return WriteFileAtomically(unmade, kBytes, l); }, ErrorCode::kIo,
       "cannot write (No such file or directory): " + unmade.string(),
       "kann nicht geschrieben werden (Datei nicht gefunden): " + unmade.string()},
      {[&](Language l) { return CheckReplaceable(dir.path(), l); }, ErrorCode::kInvalidArgument,
       "a folder, not a file: " + dir.path().string(),
       "ein Ordner, keine Datei: " + dir.path().string()},
  };
  for (const auto& c : kCases) {
    for (const Language language : {Language::kEnglish, Language::kGerman}) {
      const Status failed = c.run(language);
      ASSERT_FALSE(failed.ok()) << c.english;
      EXPECT_EQ(failed.error().code, c.code) << c.english;
      EXPECT_EQ(failed.error().message, language == Language::kGerman ? c.german : c.english);
    }
  }
}

TEST(AtomicFile, FlushNamesWhatCannotBeFlushed) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "file.bin";
  ASSERT_TRUE(WriteFileAtomically(file, kBytes).ok());
  EXPECT_TRUE(FlushFile(file).ok());
  EXPECT_TRUE(FlushFolder(dir.path()).ok());
  const Status missing = FlushFile(dir.path() / "gone.bin");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().code, ErrorCode::kNotFound);
  EXPECT_NE(missing.error().message.find("gone.bin"), std::string::npos);
  EXPECT_FALSE(FlushFolder(file).ok()) << "a file is no folder";
}

}  // namespace
}  // namespace n240qx
