#include <gtest/gtest.h>

#include "app/HostActionStep.h"

namespace n240qx {
namespace {

using Kind = HostActionStep::Kind;

// Library order, round at both ends; from nothing known, next is the first and previous the last.
TEST(HostActionStep, NextAndPreviousGoRoundTheLibrary) {
  const std::vector<std::string> names = {"Desk", "Game", "Night"};
  const struct {
    std::string_view current;
    int step;
    std::optional<std::string> expected;
  } cases[] = {
      {"Desk", 1, "Game"},  {"Night", 1, "Desk"}, {"Desk", -1, "Night"},
      {"Game", -1, "Desk"}, {"", 1, "Desk"},      {"Gone", -1, "Night"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HostActionStep::Neighbour(names, c.current, c.step), c.expected)
        << c.current << " " << c.step;
  }
  EXPECT_EQ(HostActionStep::Neighbour(std::vector<std::string>{"Only"}, "Only", 1), "Only");
  EXPECT_EQ(HostActionStep::Neighbour({}, "", 1), std::nullopt);
}

// A profile is written only while the window is free; the lights are never held back here.
TEST(HostActionStep, AppliesWhenFreeAndSaysWhyNot) {
  const HostAction next{HostActionKind::kNextProfile, ""};
  const HostAction named{HostActionKind::kApplyProfile, "Game"};
  const HostAction lights{HostActionKind::kToggleLights, ""};
  const HostActionStep::Situation free{false, false, false, {"Desk", "Game"}, "Desk"};
  auto busy = free;
  busy.sequence_running = true;
  auto dialog = free;
  dialog.dialog_open = true;
  auto edited = free;
  edited.unapplied_edits = true;
  auto empty = free;
  empty.profiles.clear();
  const struct {
    HostAction action;
    HostActionStep::Situation now;
    Kind kind;
    std::string profile;
    TextId refusal;
  } cases[] = {
      {next, free, Kind::kApplyProfile, "Game", TextId::kProfileKeyBusy},
      {named, free, Kind::kApplyProfile, "Game", TextId::kProfileKeyBusy},
      {lights, busy, Kind::kToggleLights, "", TextId::kProfileKeyBusy},
      {next, busy, Kind::kRefused, "", TextId::kProfileKeyBusy},
      {named, dialog, Kind::kRefused, "", TextId::kProfileKeyDialogOpen},
      {next, edited, Kind::kRefused, "", TextId::kProfileKeyUnappliedEdits},
      {next, empty, Kind::kRefused, "", TextId::kProfileKeyNoProfiles},
      {named, empty, Kind::kRefused, "Game", TextId::kProfileKeyMissing},
  };
  for (const auto& c : cases) {
    const HostActionStep step = HostActionStep::Plan(c.action, c.now);
    EXPECT_EQ(step, (HostActionStep{c.kind, c.profile, c.refusal})) << c.action.Words();
  }
  const HostActionStep missing{Kind::kRefused, "Ga\tme", TextId::kProfileKeyMissing};
  EXPECT_EQ(missing.RefusalLine(Texts()), "Profile key: there is no stored profile Ga\\tme");
}

}  // namespace
}  // namespace n240qx
