#include <gtest/gtest.h>

#include "keys/HostAction.h"
#include "keys/LaunchPathChange.h"
#include "keys/LaunchTarget.h"
#include "util/Utf8.h"

namespace n240qx {
namespace {

constexpr auto kOpenFile = static_cast<std::uint8_t>(AssignmentKind::kOpenFile);

// Each action and its stored path, both ways.
TEST(HostAction, PathsReadBackAsTheirActions) {
  const struct {
    HostAction action;
    std::u16string_view path;
    std::string_view words;
  } cases[] = {
      {{HostActionKind::kApplyProfile, "Game night"},
       u"n240qx:profile/Game night",
       "profile Game night"},
      {{HostActionKind::kApplyProfile, "Büro"}, u"n240qx:profile/Büro", "profile Büro"},
      {{HostActionKind::kNextProfile, ""}, u"n240qx:next-profile", "next-profile"},
      {{HostActionKind::kPreviousProfile, ""}, u"n240qx:previous-profile", "previous-profile"},
      {{HostActionKind::kToggleLights, ""}, u"n240qx:lights-toggle", "lights-toggle"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.action.Path(), c.path);
    EXPECT_EQ(HostAction::FromPath(c.path), c.action) << c.words;
    EXPECT_EQ(c.action.Words(), c.words);
  }
}

// What is no action: a file, a path of the scheme naming none, a profile without its name.
TEST(HostAction, OtherPathsAreNone) {
  for (const std::u16string_view path :
       {u"/usr/bin/xterm", u"C:\\n240qx:next-profile", u"n240qx:", u"n240qx:jump",
        u"n240qx:profile", u"n240qx:profile/", u"n240qx:next-profile/x", u"N240QX:next-profile"}) {
    EXPECT_EQ(HostAction::FromPath(path), std::nullopt) << Utf8FromUtf16(path);
  }
  EXPECT_TRUE(IsHostActionPath(u"n240qx:jump"));
  EXPECT_FALSE(IsHostActionPath(u"/tmp/n240qx:next-profile"));
}

// A key carrying an action launches no file, is found as the action, and a profile bringing
// one asks nothing about programs.
TEST(HostAction, AKeyWithAnActionStartsNoFileAndAsksNoLaunchQuestion) {
  KeyActionTable table;
  table[5].key_vk = 0x70;
  table[5].kind = kOpenFile;
  table[5].SetPath(u"n240qx:next-profile");
  table[6].key_vk = 0x71;
  table[6].kind = kOpenFile;
  table[6].SetPath(u"n240qx:jump");
  table[7].key_vk = 0x72;
  table[7].kind = kOpenFile;
  table[7].SetPath(u"/home/me/notes.txt");
  EXPECT_EQ(FindHostAction(table, 0x70), (HostAction{HostActionKind::kNextProfile, ""}));
  EXPECT_EQ(FindLaunchTarget(table, 0x70), std::nullopt);
  EXPECT_EQ(FindLaunchTarget(table, 0x71), std::nullopt) << "the scheme is never a file";
  EXPECT_EQ(FindHostAction(table, 0x72), std::nullopt);
  ASSERT_TRUE(FindLaunchTarget(table, 0x72).has_value());
  table[5].kind = 0;
  EXPECT_EQ(FindHostAction(table, 0x70), std::nullopt) << "no launch kind, no action";
  table[5].kind = kOpenFile;
  const std::vector<LaunchPathChange> only_the_file = {{7, kOpenFile, u"/home/me/notes.txt"}};
  EXPECT_EQ(ChangedLaunchPaths(KeyActionTable{}, table), only_the_file);
}

}  // namespace
}  // namespace n240qx
