#include <gtest/gtest.h>

#include "keys/LaunchPathChange.h"

namespace n240qx {
namespace {

constexpr std::uint8_t kOpenFile = static_cast<std::uint8_t>(AssignmentKind::kOpenFile);
constexpr std::uint8_t kStartup = static_cast<std::uint8_t>(AssignmentKind::kStartup);

void SetLaunch(KeyActionTable& table, std::size_t index, std::uint8_t kind,
               std::u16string_view path) {
  table[index].kind = kind;
  table[index].SetPath(path);
}

// Only what the user has not chosen yet is listed: a new launch, another path, another kind.
TEST(LaunchPathChange, ListsNewAndChangedLaunchesOnly) {
  KeyActionTable current;
  SetLaunch(current, 20, kOpenFile, u"/usr/bin/xterm");  // kept alike
  SetLaunch(current, 21, kOpenFile, u"/usr/bin/xterm");  // another path
  SetLaunch(current, 22, kOpenFile, u"/usr/bin/xterm");  // another kind
  SetLaunch(current, 23, kOpenFile, u"/usr/bin/xterm");  // launch dropped
  KeyActionTable loaded = current;
  SetLaunch(loaded, 21, kOpenFile, u"/tmp/evil");
  SetLaunch(loaded, 22, kStartup, u"/usr/bin/xterm");
  loaded[23].kind = 0;
  SetLaunch(loaded, 24, kStartup, u"");  // starts nothing
  SetLaunch(loaded, 200, kStartup, u"/bin/\x1B");
  const std::vector<LaunchPathChange> expected = {
      {21, kOpenFile, u"/tmp/evil"},
      {22, kStartup, u"/usr/bin/xterm"},
      {200, kStartup, u"/bin/\x1B"},
  };
  EXPECT_EQ(ChangedLaunchPaths(current, loaded), expected);
  EXPECT_TRUE(ChangedLaunchPaths(loaded, loaded).empty());
  EXPECT_EQ(ListedLaunchPaths(expected).substr(0, 3), "\n  ");
  EXPECT_EQ(expected[2].Text(), "#200: startup /bin/\\e");
}

}  // namespace
}  // namespace n240qx
