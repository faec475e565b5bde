#include <gtest/gtest.h>

#include <fstream>

#include "automation/ProcessList.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

TEST(ProcessList, ReadsNameCommandLineAndExecutableAndLeavesOutWhatIsGone) {
  testing::TempDir proc;
  const auto& root = proc.path();
  Write(root / "4242" / "comm", "Game.exe\n");
  Write(root / "4242" / "cmdline", std::string("wine64\0C:\\Games\\Game.exe\0-dx11\0", 31));
  fs::create_symlink("/usr/lib/wine/wine64", root / "4242" / "exe");
  Write(root / "2" / "comm", "kthreadd\n");  // a kernel thread: no command line, no exe
  Write(root / "2" / "cmdline", "");
  fs::create_directories(root / "77");  // ended while the tree was read
  Write(root / "meminfo", "MemTotal: 1 kB\n");
  fs::create_directory_symlink(root / "4242", root / "self");

  const auto programs = ProcessList(root).Read();
  ASSERT_TRUE(programs.ok()) << programs.error().message;
  ASSERT_EQ(programs->size(), 2U);
  const RunningProgram& kernel = (*programs)[0];
  EXPECT_EQ(kernel.pid, 2);
  EXPECT_EQ(kernel.name, "kthreadd");
  EXPECT_TRUE(kernel.arguments.empty());
  EXPECT_TRUE(kernel.executable.empty());
  const RunningProgram& game = (*programs)[1];
  EXPECT_EQ(game.name, "Game.exe");
  EXPECT_EQ(game.executable, "/usr/lib/wine/wine64");
  EXPECT_EQ(game.arguments, (std::vector<std::string>{"wine64", "C:\\Games\\Game.exe", "-dx11"}));

  EXPECT_FALSE(ProcessList(root).ReadOne(77).has_value());
  EXPECT_EQ(ProcessList(root).ReadOne(4242)->name, "Game.exe");
  const auto missing = ProcessList(root / "nowhere").Read();
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error().message.find("nowhere"), std::string::npos);
}

}  // namespace
}  // namespace n240qx
