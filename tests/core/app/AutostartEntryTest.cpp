#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/AutostartEntry.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;
using std::nullopt;

TEST(AutostartEntry, LivesInTheXdgAutostartFolder) {
  struct Case {
    std::optional<std::string> xdg_config_home;
    std::optional<std::string> home;
    std::optional<fs::path> expected;
  };
  const Case cases[] = {
      {"/home/ann/cfg", "/home/ann", "/home/ann/cfg/autostart/n240qx.desktop"},
      {nullopt, "/home/ann", "/home/ann/.config/autostart/n240qx.desktop"},
      // A relative or empty XDG_CONFIG_HOME is to be ignored.
      {"cfg", "/home/ann", "/home/ann/.config/autostart/n240qx.desktop"},
      {"", "/home/ann/", "/home/ann/.config/autostart/n240qx.desktop"},
      {nullopt, nullopt, nullopt},
      {"relative", "", nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AutostartEntry::PathFor(c.xdg_config_home, c.home), c.expected)
        << c.xdg_config_home.value_or("(unset)") << " " << c.home.value_or("(unset)");
  }
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(AutostartEntry, EnableWritesTheEntryAndDisableRemovesIt) {
  testing::TempDir dir;
  const AutostartEntry entry(dir.path() / "config" / "autostart" / "n240qx.desktop");
  EXPECT_FALSE(entry.IsEnabled());
  ASSERT_TRUE(entry.Set(true).ok());
  EXPECT_TRUE(entry.IsEnabled());
  const std::string text = ReadAll(entry.file());
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0U) << text;
  for (const char* line : {"\nType=Application\n", "\nExec=n240qx --minimized\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  // Enabling twice keeps one entry; disabling twice is no error.
  ASSERT_TRUE(entry.Enable().ok());
  EXPECT_EQ(ReadAll(entry.file()), text);
  ASSERT_TRUE(entry.Set(false).ok());
  EXPECT_FALSE(fs::exists(entry.file()));
  EXPECT_TRUE(entry.Disable().ok());
}

TEST(AutostartEntry, AnEntrySwitchedOffByTheDesktopIsNotEnabled) {
  testing::TempDir dir;
  const AutostartEntry entry(dir.path() / "n240qx.desktop");
  for (const char* line : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
    std::ofstream(entry.file()) << AutostartEntry::Contents() << line << '\n';
    EXPECT_FALSE(entry.IsEnabled()) << line;
  }
}

TEST(AutostartEntry, AFolderThatCannotBeCreatedIsAnError) {
  testing::TempDir dir;
  std::ofstream(dir.path() / "autostart") << "a file where the folder should be";
  const Status status = AutostartEntry(dir.path() / "autostart" / "n240qx.desktop").Enable();
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.error().message.find("autostart"), std::string::npos);
}

TEST(AutostartEntry, TheEntryPassesTheDesktopFileValidator) {
  if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
  }
  testing::TempDir dir;
  const AutostartEntry entry(dir.path() / "n240qx.desktop");
  ASSERT_TRUE(entry.Enable().ok());
  const std::string command = "desktop-file-validate '" + entry.file().string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace n240qx
