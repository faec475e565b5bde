#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/ConfiguratorState.h"
#include "keys/KeymapStore.h"
#include "support/StateStores.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

// One setting: what the keyboard held at the window's read, the window's unapplied edit (if
// any), what another program wrote (if any), and what the image must hold after the re-read.
struct Case {
  const char* name;
  std::uint8_t read;
  int edit;   // -1: none
  int other;  // -1: unchanged
  std::uint8_t expected;
};

TEST(RebaseOnRereadTest, UnappliedEditsStayOnTopOfTheOtherProgramsChange) {
  const std::vector<Case> cases = {
      {"edit only", 5, 7, -1, 7},
      {"other only", 5, -1, 9, 9},
      {"both: the edit wins", 5, 7, 9, 7},
      {"neither", 5, -1, -1, 5},
      {"edit taken back to the read value", 5, 5, 9, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto state = std::make_unique<ConfiguratorState>();
    DeviceRead first;
    first.image.brightness() = c.read;
    first.image.game_mode() = 0;
    first.write_count = 4;
    state->ApplyFullRead(first);
    if (c.edit >= 0) {
      state->ImageForEditing().brightness() = static_cast<std::uint8_t>(c.edit);
    }
    state->ImageForEditing().game_mode() = 1;  // an edit elsewhere, always kept
    state->RecordEdits();

    DeviceRead fresh = first;
    if (c.other >= 0) {
      fresh.image.brightness() = static_cast<std::uint8_t>(c.other);
    }
    fresh.write_count = 5;
    state->RebaseOnReread(fresh);

    EXPECT_EQ(state->image().brightness(), c.expected);
    EXPECT_EQ(state->image().game_mode(), 1);
    EXPECT_EQ(state->snapshot().brightness(), fresh.image.brightness())
        << "what the keyboard holds";
    EXPECT_EQ(state->keyboard_writes(), 5u);
    // Undo takes back the user's edits only, down to what the keyboard now holds.
    while (state->UndoEdit() != nullptr) {
    }
    EXPECT_EQ(state->image().game_mode(), 0);
    EXPECT_EQ(state->image().brightness(), fresh.image.brightness());
  }
}

// One key's launch path: what keymap.bin said at the window's read, the window's unapplied
// edit, and what the other program saved before its write.
struct PathCase {
  const char* name;
  std::u16string_view edit;   // empty: none
  std::u16string_view other;  // empty: unchanged
  std::u16string_view expected;
};

TEST(RebaseOnRereadTest, LaunchPathsTheOtherProgramSavedSurviveTheWindowsWrite) {
  const std::vector<PathCase> cases = {
      {"other only", u"", u"/usr/bin/b", u"/usr/bin/b"},
      {"edit only", u"/usr/bin/mine", u"", u"/usr/bin/mine"},
      {"both: the edit wins", u"/usr/bin/mine", u"/usr/bin/b", u"/usr/bin/mine"},
      {"neither", u"", u"", u"/usr/bin/a"},
  };
  constexpr std::size_t kKey = 30;
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    const auto keymap = dir.path() / "keymap.bin";
    auto state = std::make_unique<ConfiguratorState>();
    state->UseStores(testing::StoresIn(dir.path()));
    state->KeyActionsForEditing()[kKey].kind = static_cast<std::uint8_t>(AssignmentKind::kStartup);
    state->KeyActionsForEditing()[kKey].SetPath(u"/usr/bin/a");
    state->CopyToSnapshots();
    KeyActionTable other = state->key_actions();
    if (!c.other.empty()) {
      other[kKey].SetPath(c.other);
    }
    ASSERT_TRUE(SaveKeymapStore(keymap, state->image(), other).ok());
    if (!c.edit.empty()) {
      state->KeyActionsForEditing()[kKey].SetPath(c.edit);
    }
    state->RebaseOnReread(DeviceRead{});
    EXPECT_EQ(state->key_actions()[kKey].PathString(), c.expected);
    EXPECT_EQ(state->key_actions_snapshot()[kKey].PathString(), other[kKey].PathString())
        << "what the keyboard's keys now carry";
  }
}

}  // namespace
}  // namespace n240qx
