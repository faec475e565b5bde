#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/OwnFiles.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;

TEST(OwnFiles, RefusesTheStoresBackupsAndStateHoweverTheyAreReached) {
  testing::TempDir temp;
  const fs::path data = temp.path() / "data";
  fs::create_directories(data / "backups");
  fs::create_directories(temp.path() / "elsewhere");
  std::ofstream(data / "keymap.bin").put('x');
  fs::create_symlink(data / "keymap.bin", temp.path() / "link.bin");
  const OwnFiles own(ProgramPaths(data, temp.path() / "share", false), temp.path() / "state.bin");
  struct Case {
    fs::path target;
    bool refused;
  };
  const Case kCases[] = {
      {data / "keymap.bin", true},
      {data / "MacroDefine.bin", true},
      {data / "backups" / "any.bin", true},
      {data / "backups" / "deeper" / "any.bin", true},
      {temp.path() / "state.bin", true},
      {data / "backups" / ".." / "keymap.bin", true},
      {temp.path() / "link.bin", true},
      {data / "profile.bin", false},
      {data / "backups2" / "any.bin", false},
      {data / "Configure" / "keymap.bin", false},
      {temp.path() / "elsewhere" / "MacroDefine.bin", false},
  };
  for (const Case& c : kCases) {
    const Status checked = own.CheckNotOwn(c.target);
    EXPECT_EQ(!checked.ok(), c.refused) << c.target;
    if (!checked.ok()) {
      EXPECT_NE(checked.error().message.find(c.target.string()), std::string::npos);
      EXPECT_EQ(checked.error().code, ErrorCode::kInvalidArgument);
    }
  }
  EXPECT_TRUE(OwnFiles().CheckNotOwn(data / "keymap.bin").ok()) << "no files, no refusal";
}

}  // namespace
}  // namespace n240qx
